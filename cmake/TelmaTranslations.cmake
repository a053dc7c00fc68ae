# One translation catalogue per library: translations/telma_<library>.ts holds every text that
# library shows, as lupdate collects it from the library's folder and the forms it includes.
# `cmake --build build --target translations` refreshes them all; the translation check in the
# tests fails when one is out of date.
#
# Debian's qt6-l10n-tools brings lupdate but no CMake package for it, so it is looked for next to
# Qt's own tools.
get_target_property(telma_qmake Qt6::qmake IMPORTED_LOCATION)
get_filename_component(telma_qt_bin_dir "${telma_qmake}" DIRECTORY)
find_program(TELMA_LUPDATE NAMES lupdate lupdate-qt6 HINTS "${telma_qt_bin_dir}" /usr/lib/qt6/bin)

# Libraries with texts of their own; docs/translations.md says why the others have none.
set(TELMA_TRANSLATED_LIBRARIES
    app bmientry calibration calibrationview casebook cases chart cohort cohortcases cohortreport
    connection databasedialog datefield fhir followup followupview handout model plaintext
    questionnaires report result unsavedinput)
# The forms in resources/ each library builds its windows from.
set(TELMA_TRANSLATED_FORMS_app mainwindow)
set(TELMA_TRANSLATED_FORMS_result graph)
set(TELMA_TRANSLATED_FORMS_questionnaires dialog dialog_alex dialog_bod dialog_mps)

# "library=input,input|..." for the check, which runs lupdate over the same inputs.
set(telma_inputs "")
set(telma_refresh_commands "")
foreach(library IN LISTS TELMA_TRANSLATED_LIBRARIES)
    set(inputs src/${library})
    foreach(form IN LISTS TELMA_TRANSLATED_FORMS_${library})
        list(APPEND inputs resources/${form}.ui)
    endforeach()
    string(REPLACE ";" "," joined "${inputs}")
    list(APPEND telma_inputs "${library}=${joined}")
    # Source texts only and no line numbers, so a catalogue changes only when a text does;
    # updating in place keeps whatever translations it already holds.
    list(APPEND telma_refresh_commands
        COMMAND ${TELMA_LUPDATE} -silent -no-obsolete -locations none ${inputs}
                -ts translations/telma_${library}.ts)
endforeach()

string(JOIN "|" TELMA_TRANSLATION_INPUTS ${telma_inputs})

if(TELMA_LUPDATE)
    add_custom_target(translations
        COMMAND ${CMAKE_COMMAND} -E make_directory translations
        ${telma_refresh_commands}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Refreshing the translation catalogues in translations/"
        VERBATIM)
else()
    add_custom_target(translations
        COMMAND ${CMAKE_COMMAND} -E echo "lupdate was not found: install qt6-l10n-tools (scripts/install-deps.sh)."
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
