#include "caseserverfunctions.h"
#include "casestore.h"
#include "casefields.h"
#include "predictorcheck.h"
#include "visitcheck.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

// The SQLSTATE of each refusal: class TL is ours alone.
struct RefusalState {
    CaseServerFunctions::Refusal refusal;
    const char *state;
};
const RefusalState RefusalStates[] = {
    {CaseServerFunctions::CodeInUse, "TL001"},   {CaseServerFunctions::CaseChanged, "TL002"},
    {CaseServerFunctions::CaseGone, "TL003"},    {CaseServerFunctions::VisitGone, "TL004"},
    {CaseServerFunctions::SameDate, "TL005"},    {CaseServerFunctions::HeightSet, "TL006"},
    {CaseServerFunctions::InvalidValue, "TL007"}, {CaseServerFunctions::CalibrationGone, "TL008"},
};

QString raise(CaseServerFunctions::Refusal refusal)
{
    for (const RefusalState &entry : RefusalStates) {
        if (entry.refusal == refusal)
            return QStringLiteral("RAISE EXCEPTION '%1' USING ERRCODE = '%1';")
                .arg(QLatin1String(entry.state));
    }
    return {};
}

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

// The case's fields in the order the trail records them (as on a SQLite file), the SQL that
// reads each as text from the row c, and the SQL that reads it from the JSON argument p.
struct CaseField {
    QString name;
    QString text;
};

QVector<CaseField> caseFields()
{
    QVector<CaseField> fields = {
        {QStringLiteral("code"), QStringLiteral("c.code")},
        {QStringLiteral("baseline_date"), QStringLiteral("c.baseline_date")},
        {QStringLiteral("height_m"), QStringLiteral("coalesce(c.height_m::text, '')")},
    };
    for (int p = 0; p < PredictorCount; ++p) {
        const QString column = CaseFields::predictorColumn(p);
        fields.append({column, QStringLiteral("c.%1::text").arg(column)});
        fields.append({column + QStringLiteral("_source"), QStringLiteral("c.%1_source").arg(column)});
        fields.append({column + QStringLiteral("_answers"),
                       QStringLiteral("coalesce((SELECT string_agg(coalesce(a.answer::text, '-1'), "
                                      "',' ORDER BY a.item) FROM {s}.case_answers a WHERE "
                                      "a.case_id = c.id AND a.predictor = %1), '')")
                           .arg(p)});
    }
    for (int m = 1; m <= CourseMonths; ++m)
        fields.append({CaseFields::monthColumn(m), QStringLiteral("c.%1::text").arg(CaseFields::monthColumn(m))});
    fields.append({QStringLiteral("model_version"), QStringLiteral("c.model_version")});
    return fields;
}

// The columns of cases a record sets, each with the SQL that reads its value from the JSON
// object p (an argument, or a column of a batch).
QVector<QPair<QString, QString>> caseValues(const QString &p = QStringLiteral("p"))
{
    QVector<QPair<QString, QString>> values = {
        {QStringLiteral("code"), QStringLiteral("%1->>'code'")},
        {QStringLiteral("code_folded"), QStringLiteral("%1->>'code_folded'")},
        {QStringLiteral("baseline_date"), QStringLiteral("%1->>'baseline_date'")},
        {QStringLiteral("height_m"), QStringLiteral("(%1->>'height_m')::float8")},
    };
    for (int i = 0; i < PredictorCount; ++i) {
        const QString column = CaseFields::predictorColumn(i);
        values.append({column, QStringLiteral("(%1->>'%2')::float8").arg(QStringLiteral("%1"), column)});
        values.append({column + QStringLiteral("_source"),
                       QStringLiteral("coalesce(%1->>'%2_source', '')").arg(QStringLiteral("%1"), column)});
    }
    for (int m = 1; m <= CourseMonths; ++m)
        values.append({CaseFields::monthColumn(m),
                       QStringLiteral("(%1->>'%2')::float8").arg(QStringLiteral("%1"), CaseFields::monthColumn(m))});
    values.append({QStringLiteral("model_version"), QStringLiteral("%1->>'model_version'")});
    for (auto &value : values)
        value.second = value.second.arg(p);
    return values;
}

// What the server refuses of a case whatever the caller: the same bounds as the store's. True
// when the JSON object p holds a value the case book does not accept.
QString caseInvalid(const QString &p = QStringLiteral("p"))
{
    QStringList invalid = {
        QStringLiteral("%1->>'code' IS NULL"),
        QStringLiteral("coalesce(%1->>'code_folded', '') = ''"),
        QStringLiteral("btrim(%1->>'code') = ''"),
        QStringLiteral("char_length(%1->>'code') > %2")
            .arg(QStringLiteral("%1"), QString::number(CaseFields::MaxCodeLength)),
        QStringLiteral("coalesce(%1->>'baseline_date', '') !~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}$'"),
        QStringLiteral("(%1->>'height_m')::float8 NOT BETWEEN %2 AND %3")
            .arg(QStringLiteral("%1"), number(CaseFields::MinHeightMetres), number(CaseFields::MaxHeightMetres)),
        QStringLiteral("%1->>'model_version' IS NULL"),
    };
    for (int i = 0; i < PredictorCount; ++i) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(i));
        invalid << QStringLiteral("coalesce((%1->>'%2')::float8 NOT BETWEEN %3 AND %4, true)")
                       .arg(QStringLiteral("%1"), CaseFields::predictorColumn(i), number(range.lower),
                            number(range.upper));
    }
    for (int m = 1; m <= CourseMonths; ++m)
        invalid << QStringLiteral("%1->>'%2' IS NULL").arg(QStringLiteral("%1"), CaseFields::monthColumn(m));
    return QLatin1Char('(') + invalid.join(QStringLiteral(" OR ")).arg(p) + QLatin1Char(')');
}

QString caseCheck()
{
    return QStringLiteral("IF %1 THEN %2 END IF;")
        .arg(caseInvalid(), raise(CaseServerFunctions::InvalidValue));
}

// True when the JSON object v is not a visit a case of that baseline (text) accepts.
QString visitInvalid(const QString &v = QStringLiteral("v"),
                     const QString &baseline = QStringLiteral("p_baseline"))
{
    return QStringLiteral(
               "(coalesce(%1->>'visit_date', '') !~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}$' "
               "OR %1->>'visit_date' <= %2 OR (%1->>'visit_date')::date > current_date + 1 "
               "OR coalesce((%1->>'bmi')::float8 NOT BETWEEN %3 AND %4, true) "
               "OR (%1->>'weight_kg')::float8 NOT BETWEEN %5 AND %6 "
               "OR char_length(coalesce(%1->>'note', '')) > %7)")
        .arg(v, baseline, number(VisitLimits::BmiLowest), number(VisitLimits::BmiHighest),
             number(VisitLimits::WeightLowest), number(VisitLimits::WeightHighest))
        .arg(VisitLimits::NoteLength);
}

QString visitCheck()
{
    return QStringLiteral("IF %1 THEN %2 END IF;")
        .arg(visitInvalid(), raise(CaseServerFunctions::InvalidValue));
}

// Every function runs with the owner's rights and sees only the case book's schema (and
// pg_temp last, so that a caller's temporary table never stands in for one of ours); numbers
// become text exactly, as the trail on a SQLite file has them. No JIT: a batch's statements
// are estimated dear enough to be compiled, which took longer than running them.
const QString Pinned =
    QStringLiteral("SET search_path = {s}, pg_temp SET extra_float_digits = 1 SET jit = off");

QString definer(const QString &signature, const QString &returns, const QString &body)
{
    return QStringLiteral("CREATE OR REPLACE FUNCTION {s}.%1 RETURNS %2 LANGUAGE plpgsql "
                          "SECURITY DEFINER %3 AS $fn$ %4 $fn$")
        .arg(signature, returns, Pinned, body);
}

// text with each {name} of replacements replaced by its SQL ({s}, the schema, is left for
// the end), so that SQL holding % or digits is never taken for a placeholder.
QString fill(QString text, const QVector<QPair<QString, QString>> &replacements)
{
    for (const auto &replacement : replacements)
        text.replace(QLatin1Char('{') + replacement.first + QLatin1Char('}'), replacement.second);
    return text;
}

// The values of case_visits' columns after case_id, read from the JSON object v.
QString visitValues(const QString &v)
{
    return QStringLiteral("%1->>'visit_date', (%1->>'bmi')::float8, (%1->>'weight_kg')::float8, "
                          "coalesce(%1->>'note', '')")
        .arg(v);
}

// The hashes CaseAuditChain checks, in SQL: each text as its UTF-8 length, a colon, itself and
// a semicolon (telma_chain_item); the values sorted by their bytes.
QString chainItem(const QString &text)
{
    return QStringLiteral("{s}.telma_chain_item(%1)").arg(text);
}

QString valuesHashSql(const QString &field, const QString &oldValue, const QString &newValue)
{
    const auto bytes = [](const QString &text) {
        return QStringLiteral("convert_to(coalesce(%1, ''), 'UTF8')").arg(text);
    };
    return QStringLiteral("encode(sha256(convert_to(coalesce(string_agg(%1 || %2 || %3, '' ORDER "
                          "BY %4, %5, %6), ''), 'UTF8')), 'hex')")
        .arg(chainItem(field), chainItem(oldValue), chainItem(newValue), bytes(field),
             bytes(oldValue), bytes(newValue));
}

QString entryHashSql(const QStringList &parts)
{
    QStringList items;
    for (const QString &part : parts)
        items << chainItem(part);
    return QStringLiteral("encode(sha256(convert_to(%1, 'UTF8')), 'hex')")
        .arg(items.join(QStringLiteral(" || ")));
}

// Writes the audit entries the query entries yields, in its order: columns ord (1, 2, …),
// case_id, action, and fields, olds and news as telma_audit takes them (olds NULL for a new
// row, whose empty values are left out). The entries' ids are taken first, so that each value
// names its entry; then all entries go in one statement and all their values in another.
// Needs the variables p_user, v_now and v_audit (bigint[]).
QString auditEntries(const QString &entries)
{
    // Each entry is chained to the one before it, so the hashes are worked out one entry
    // after another (one writer of the trail at a time, until the transaction ends); the
    // entries and their values still go in one statement each.
    return fill(QStringLiteral(
                    "DECLARE v_prev text; v_value text; v_values text[] := '{}'; v_hashes text[] "
                    ":= '{}'; v_entry record; BEGIN "
                    "PERFORM pg_advisory_xact_lock(717302); "
                    "SELECT a.entry_hash INTO v_prev FROM {s}.case_audit a ORDER BY a.id DESC LIMIT 1; "
                    "FOR v_entry IN SELECT e.* FROM ({entries}) AS e ORDER BY e.ord LOOP "
                    "SELECT {valuesHash} INTO v_value FROM unnest(v_entry.fields, v_entry.olds, "
                    "v_entry.news) AS d(f, o, w) WHERE d.o IS DISTINCT FROM d.w AND (v_entry.olds "
                    "IS NOT NULL OR d.w <> ''); "
                    "v_prev := {entryHash}; v_values := v_values || v_value; "
                    "v_hashes := v_hashes || v_prev; END LOOP; "
                    "SELECT coalesce(array_agg(nextval(pg_get_serial_sequence(format('%I.%I', "
                    "current_schema(), 'case_audit'), 'id')) ORDER BY g), '{}') INTO v_audit FROM "
                    "generate_series(1, (SELECT count(*) FROM ({entries}) AS e)) AS g; "
                    "INSERT INTO {s}.case_audit (id, case_id, action, changed_by, changed_at, "
                    "values_hash, entry_hash) SELECT v_audit[e.ord], e.case_id, e.action, p_user, "
                    "v_now, v_values[e.ord], v_hashes[e.ord] FROM ({entries}) AS e ORDER BY e.ord; "
                    "INSERT INTO {s}.case_audit_values (audit_id, case_id, field, old_value, "
                    "new_value) SELECT v_audit[e.ord], e.case_id, d.f, d.o, d.w FROM ({entries}) "
                    "AS e, unnest(e.fields, e.olds, e.news) WITH ORDINALITY AS d(f, o, w, n) "
                    "WHERE d.o IS DISTINCT FROM d.w AND (e.olds IS NOT NULL OR d.w <> '') ORDER "
                    "BY e.ord, d.n; END;"),
                {{QStringLiteral("entries"), entries},
                 {QStringLiteral("valuesHash"),
                  valuesHashSql(QStringLiteral("d.f"), QStringLiteral("d.o"), QStringLiteral("d.w"))},
                 {QStringLiteral("entryHash"),
                  entryHashSql({QStringLiteral("coalesce(v_prev, '')"),
                                QStringLiteral("v_entry.case_id::text"),
                                QStringLiteral("v_entry.action"), QStringLiteral("p_user"),
                                QStringLiteral("v_now"), QStringLiteral("session_user::text"),
                                QStringLiteral("v_value")})}});
}

const char *const EntryPoints[] = {
    "telma_add_case(text, jsonb)",
    "telma_add_cases(text, jsonb)",
    "telma_add_visits(text, jsonb)",
    "telma_update_case(text, bigint, bigint, jsonb)",
    "telma_remove_case(text, bigint)",
    "telma_add_visit(text, bigint, jsonb, boolean, double precision)",
    "telma_keep_earlier_visit(text, bigint, jsonb)",
    "telma_update_visit(text, bigint, jsonb, double precision)",
    "telma_remove_visit(text, bigint, bigint)",
    "telma_add_calibration(text, jsonb, boolean)",
    "telma_use_calibration(text, bigint)",
    "telma_use_no_calibration(text)",
};

// telma_audit, chaining each entry to the one before it (see CaseAuditChain), with {s} for
// the schema: the same texts as CaseAuditChain hashes, each as its UTF-8 length, a colon,
// itself and a semicolon, the values sorted by their bytes.
QStringList chainedAudit()
{
    return {
        QStringLiteral("CREATE OR REPLACE FUNCTION {s}.telma_chain_item(p text) RETURNS text "
                       "LANGUAGE sql IMMUTABLE AS $fn$ SELECT octet_length(coalesce(p, ''))::text "
                       "|| ':' || coalesce(p, '') || ';' $fn$"),
        definer(
            QStringLiteral("telma_audit(p_case bigint, p_action text, p_user text, p_now text, "
                           "p_fields text[], p_old text[], p_new text[])"),
            QStringLiteral("bigint"),
            fill(QStringLiteral(
                     "DECLARE v_id bigint; v_prev text; v_value text; BEGIN "
                     // One writer of the trail at a time, until the transaction ends: the
                     // chain's order is the order of the ids.
                     "PERFORM pg_advisory_xact_lock(717302); "
                     "SELECT a.entry_hash INTO v_prev FROM {s}.case_audit a ORDER BY a.id DESC LIMIT 1; "
                     "SELECT {valuesHash} INTO v_value FROM unnest(p_fields, p_old, p_new) AS "
                     "f(field, old_value, new_value); "
                     "INSERT INTO {s}.case_audit (case_id, action, changed_by, changed_at, "
                     "values_hash, entry_hash) VALUES (p_case, p_action, p_user, p_now, v_value, "
                     "{entryHash}) RETURNING id INTO v_id; "
                     "INSERT INTO {s}.case_audit_values (audit_id, case_id, field, old_value, "
                     "new_value) SELECT v_id, p_case, f.field, f.old_value, f.new_value FROM "
                     "unnest(p_fields, p_old, p_new) WITH ORDINALITY AS f(field, old_value, "
                     "new_value, n) ORDER BY f.n; "
                     "RETURN v_id; END"),
                 {{QStringLiteral("valuesHash"),
                   valuesHashSql(QStringLiteral("f.field"), QStringLiteral("f.old_value"),
                                 QStringLiteral("f.new_value"))},
                  {QStringLiteral("entryHash"),
                   entryHashSql({QStringLiteral("coalesce(v_prev, '')"), QStringLiteral("p_case::text"),
                                 QStringLiteral("p_action"), QStringLiteral("p_user"),
                                 QStringLiteral("p_now"), QStringLiteral("session_user::text"),
                                 QStringLiteral("v_value")})}})),
    };
}

} // namespace

QStringList CaseServerFunctions::entryPoints(const QString &schema)
{
    QStringList names;
    for (const char *entry : EntryPoints)
        names << schema + QLatin1Char('.') + QLatin1String(entry);
    return names;
}

QStringList CaseServerFunctions::installStatements(const QString &schema)
{
    QStringList fieldNames;
    QStringList fieldTexts;
    for (const CaseField &field : caseFields()) {
        fieldNames << QLatin1Char('\'') + field.name + QLatin1Char('\'');
        fieldTexts << field.text;
    }
    QStringList valueColumns;
    QStringList valueSources;
    QStringList assignments;
    QStringList batchValueSources;
    for (const auto &value : caseValues(QStringLiteral("b.c")))
        batchValueSources << value.second;
    for (const auto &value : caseValues()) {
        valueColumns << value.first;
        valueSources << value.second;
        assignments << value.first + QStringLiteral(" = ") + value.second;
    }
    const QString visitFields =
        QStringLiteral("ARRAY['visit_id', 'visit_date', 'bmi', 'weight_kg', 'note']");
    const QString noVisit = QStringLiteral("ARRAY[NULL, NULL, NULL, NULL, NULL]::text[]");

    QStringList statements = {
        // The trail's guards, pinned to the schema: the one that lets a deleted case's
        // values go must look at our cases, not at a temporary table of that name.
        QStringLiteral("CREATE OR REPLACE FUNCTION {s}.case_audit_values_no_delete() RETURNS "
                       "trigger LANGUAGE plpgsql SET search_path = {s}, pg_temp AS $fn$ BEGIN "
                       "IF EXISTS (SELECT 1 FROM {s}.cases WHERE cases.id = OLD.case_id) THEN "
                       "RAISE EXCEPTION 'case_audit_values is append-only' USING ERRCODE = "
                       "'P0001'; END IF; RETURN OLD; END $fn$"),
    };
    for (const char *guard : {"case_audit_no_update", "case_audit_no_delete",
                              "case_audit_no_delete_truncate", "case_audit_values_no_update",
                              "case_audit_values_no_delete_truncate", "case_audit_database_user"})
        statements << QStringLiteral("ALTER FUNCTION {s}.%1() SET search_path = {s}, pg_temp")
                          .arg(QLatin1String(guard));

    statements << QStringLiteral(
        "CREATE OR REPLACE FUNCTION {s}.telma_now() RETURNS text LANGUAGE sql VOLATILE "
        "SET search_path = {s}, pg_temp AS $fn$ SELECT to_char(clock_timestamp() AT TIME ZONE "
        "'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"') $fn$");
    statements << QStringLiteral(
                      "CREATE OR REPLACE FUNCTION {s}.telma_case_fields() RETURNS text[] "
                      "LANGUAGE sql IMMUTABLE AS $fn$ SELECT ARRAY[%1] $fn$")
                      .arg(fieldNames.join(QStringLiteral(", ")));
    statements << QStringLiteral(
                      "CREATE OR REPLACE FUNCTION {s}.telma_case_texts(p_id bigint) RETURNS "
                      "text[] LANGUAGE sql STABLE %1 AS $fn$ SELECT ARRAY[%2] FROM {s}.cases c "
                      "WHERE c.id = p_id $fn$")
                      .arg(Pinned, fieldTexts.join(QStringLiteral(", ")));
    statements << QStringLiteral(
                      "CREATE OR REPLACE FUNCTION {s}.telma_visit_texts(p_id bigint) RETURNS "
                      "text[] LANGUAGE sql STABLE %1 AS $fn$ SELECT ARRAY[v.visit_date, "
                      "v.bmi::text, coalesce(v.weight_kg::text, ''), v.note] FROM "
                      "{s}.case_visits v WHERE v.id = p_id $fn$")
                      .arg(Pinned);

    // The one place on the server that writes an audit entry and its values; every change
    // comes through here.
    statements << chainedAudit();
    // An entry of the fields whose text differs between two readings of a case.
    statements << definer(
        QStringLiteral("telma_audit_case(p_case bigint, p_action text, p_user text, p_now text, "
                       "p_old text[], p_new text[])"),
        QStringLiteral("void"),
        QStringLiteral("BEGIN PERFORM {s}.telma_audit(p_case, p_action, p_user, p_now, "
                       "coalesce(array_agg(d.f ORDER BY d.n), '{}'), "
                       "coalesce(array_agg(d.o ORDER BY d.n), '{}'), "
                       "coalesce(array_agg(d.w ORDER BY d.n), '{}')) "
                       "FROM unnest({s}.telma_case_fields(), p_old, p_new) WITH ORDINALITY "
                       "AS d(f, o, w, n) WHERE d.o IS DISTINCT FROM d.w AND "
                       "(p_old IS NOT NULL OR d.w <> ''); END"));
    statements << definer(QStringLiteral("telma_write_answers(p_id bigint, p jsonb)"),
                          QStringLiteral("void"),
                          QStringLiteral(
                              "BEGIN DELETE FROM {s}.case_answers WHERE case_id = p_id; "
                              "INSERT INTO {s}.case_answers (case_id, predictor, item, answer) "
                              "SELECT p_id, l.n - 1, i.n - 1, CASE WHEN i.value::int < 0 THEN "
                              "NULL ELSE i.value::int END FROM jsonb_array_elements("
                              "coalesce(p->'answers', '[]')) WITH ORDINALITY AS l(list, n), "
                              "jsonb_array_elements_text(l.list) WITH ORDINALITY AS i(value, n) "
                              "WHERE l.n <= %1; END")
                              .arg(PredictorCount));
    statements << definer(QStringLiteral("telma_insert_case(p_user text, p_now text, p jsonb)"),
                          QStringLiteral("bigint"),
                          QStringLiteral(
                              "DECLARE v_id bigint; BEGIN %1 "
                              "IF EXISTS (SELECT 1 FROM {s}.cases WHERE code_folded = "
                              "p->>'code_folded') THEN %2 "
                              "END IF; INSERT INTO {s}.cases (%3, created_by, created_at, "
                              "changed_by, changed_at, row_version) VALUES (%4, p_user, p_now, "
                              "p_user, p_now, 1) RETURNING id INTO v_id; "
                              "PERFORM {s}.telma_write_answers(v_id, p); "
                              "PERFORM {s}.telma_audit_case(v_id, 'insert', p_user, p_now, NULL, "
                              "{s}.telma_case_texts(v_id)); RETURN v_id; END")
                              .arg(caseCheck(), raise(CodeInUse),
                                   valueColumns.join(QStringLiteral(", ")),
                                   valueSources.join(QStringLiteral(", "))));
    statements << definer(QStringLiteral("telma_baseline(p_case bigint)"), QStringLiteral("text"),
                          QStringLiteral("DECLARE v text; BEGIN SELECT baseline_date INTO v FROM "
                                         "{s}.cases WHERE id = p_case; IF NOT FOUND THEN %1 END "
                                         "IF; RETURN v; END")
                              .arg(raise(CaseGone)));
    statements << definer(QStringLiteral("telma_check_visit(v jsonb, p_baseline text)"),
                          QStringLiteral("void"),
                          QStringLiteral("BEGIN %1 END").arg(visitCheck()));
    statements << definer(
        QStringLiteral("telma_insert_visit(p_case bigint, v jsonb)"), QStringLiteral("bigint"),
        QStringLiteral("DECLARE v_id bigint; BEGIN INSERT INTO {s}.case_visits (case_id, "
                       "visit_date, bmi, weight_kg, note) VALUES (p_case, v->>'visit_date', "
                       "(v->>'bmi')::float8, (v->>'weight_kg')::float8, coalesce(v->>'note', "
                       "'')) RETURNING id INTO v_id; RETURN v_id; END"));
    statements << definer(
        QStringLiteral("telma_store_height(p_user text, p_now text, p_case bigint, p_height "
                       "float8)"),
        QStringLiteral("void"),
        QStringLiteral("BEGIN IF p_height IS NULL THEN RETURN; END IF; "
                       "IF p_height NOT BETWEEN %1 AND %2 THEN %3 END IF; "
                       "UPDATE {s}.cases SET height_m = p_height, changed_by = p_user, changed_at "
                       "= p_now, row_version = row_version + 1 WHERE id = p_case AND height_m IS "
                       "NULL; IF NOT FOUND THEN %4 END IF; "
                       "PERFORM {s}.telma_audit(p_case, 'update', p_user, p_now, "
                       "ARRAY['height_m'], ARRAY[NULL]::text[], ARRAY[p_height::text]); END")
            .arg(number(VisitLimits::HeightLowest), number(VisitLimits::HeightHighest),
                 raise(InvalidValue), raise(HeightSet)));

    // What workstations call.
    statements << definer(QStringLiteral("telma_add_case(p_user text, p jsonb)"),
                          QStringLiteral("TABLE(o_id bigint, o_time text)"),
                          QStringLiteral("BEGIN o_time := {s}.telma_now(); "
                                         "o_id := {s}.telma_insert_case(p_user, o_time, p); "
                                         "RETURN NEXT; END"));
    // A batch is checked, written and audited as sets: each table gets one statement for the
    // whole batch, whatever its size.
    // A new visit's entry from its row w: its fields, no old values, its values.
    const QString visitEntry =
        visitFields + QStringLiteral(", ") + noVisit
        + QStringLiteral(", ARRAY[w.id::text, w.visit_date, w.bmi::text, "
                         "coalesce(w.weight_kg::text, ''), w.note]");
    statements << definer(
        QStringLiteral("telma_add_cases(p_user text, p jsonb)"),
        QStringLiteral("TABLE(o_id bigint, o_time text)"),
        fill(QStringLiteral(
                 "DECLARE v_now text := {s}.telma_now(); v_ids bigint[]; v_audit bigint[]; BEGIN "
                 "IF EXISTS (SELECT 1 FROM jsonb_array_elements(p) AS b(e) WHERE {caseInvalid}) "
                 "THEN {invalid} END IF; "
                 "IF EXISTS (SELECT 1 FROM jsonb_array_elements(p) AS b(e), jsonb_array_elements("
                 "coalesce(b.e->'visits', '[]')) AS w(v) WHERE {visitInvalid}) THEN {invalid} "
                 "END IF; "
                 "IF EXISTS (SELECT 1 FROM jsonb_array_elements(p) AS b(e) GROUP BY "
                 "b.e->'case'->>'code_folded' HAVING count(*) > 1) OR EXISTS (SELECT 1 FROM "
                 "jsonb_array_elements(p) AS b(e) JOIN {s}.cases c ON c.code_folded = "
                 "b.e->'case'->>'code_folded') THEN {codeInUse} END IF; "
                 "WITH ins AS (INSERT INTO {s}.cases ({columns}, created_by, created_at, "
                 "changed_by, changed_at, row_version) SELECT {values}, p_user, v_now, p_user, "
                 "v_now, 1 FROM (SELECT t.n, t.e->'case' AS c FROM jsonb_array_elements(p) WITH "
                 "ORDINALITY AS t(e, n)) AS b ORDER BY b.n RETURNING id, code_folded) "
                 "SELECT coalesce(array_agg(ins.id ORDER BY t.n), '{}') INTO v_ids FROM ins JOIN "
                 "jsonb_array_elements(p) WITH ORDINALITY AS t(e, n) ON ins.code_folded = "
                 "t.e->'case'->>'code_folded'; "
                 "INSERT INTO {s}.case_answers (case_id, predictor, item, answer) SELECT k.id, "
                 "l.ln - 1, i.inum - 1, CASE WHEN i.value::int < 0 THEN NULL ELSE i.value::int "
                 "END FROM {batch}, jsonb_array_elements(coalesce(t.e->'case'->'answers', '[]')) "
                 "WITH ORDINALITY AS l(list, ln), jsonb_array_elements_text(l.list) WITH "
                 "ORDINALITY AS i(value, inum) WHERE l.ln <= {predictors}; "
                 "INSERT INTO {s}.case_visits (case_id, visit_date, bmi, weight_kg, note) SELECT "
                 "k.id, {visitValues} FROM {batch}, jsonb_array_elements(coalesce(t.e->'visits', "
                 "'[]')) WITH ORDINALITY AS w(v, vn) ORDER BY k.n, w.vn; "
                 "{audit} "
                 "RETURN QUERY SELECT k.id, v_now FROM unnest(v_ids) WITH ORDINALITY AS k(id, n) "
                 "ORDER BY k.n; END"),
             {{QStringLiteral("caseInvalid"), caseInvalid(QStringLiteral("(b.e->'case')"))},
              {QStringLiteral("visitInvalid"),
               visitInvalid(QStringLiteral("w.v"), QStringLiteral("(b.e->'case'->>'baseline_date')"))},
              {QStringLiteral("invalid"), raise(InvalidValue)},
              {QStringLiteral("codeInUse"), raise(CodeInUse)},
              {QStringLiteral("columns"), valueColumns.join(QStringLiteral(", "))},
              {QStringLiteral("values"), batchValueSources.join(QStringLiteral(", "))},
              {QStringLiteral("batch"),
               QStringLiteral("unnest(v_ids) WITH ORDINALITY AS k(id, n) JOIN "
                              "jsonb_array_elements(p) WITH ORDINALITY AS t(e, n) USING (n)")},
              {QStringLiteral("predictors"), QString::number(PredictorCount)},
              {QStringLiteral("visitValues"), visitValues(QStringLiteral("w.v"))},
              {QStringLiteral("audit"),
               auditEntries(QStringLiteral(
                   "SELECT row_number() OVER (ORDER BY k.n, x.kind, x.visit) AS ord, k.id AS "
                   "case_id, x.action, x.fields, x.olds, x.news FROM unnest(v_ids) WITH "
                   "ORDINALITY AS k(id, n), LATERAL (SELECT 0 AS kind, 0::bigint AS visit, "
                   "'insert'::text AS action, {s}.telma_case_fields() AS fields, NULL::text[] AS "
                   "olds, ARRAY[{fieldTexts}] AS news FROM "
                   "{s}.cases c WHERE c.id = k.id UNION ALL SELECT 1, w.id, 'visit insert', "
                   "{visitEntry} FROM {s}.case_visits w WHERE w.case_id = k.id) AS x"))},
              {QStringLiteral("fieldTexts"), fieldTexts.join(QStringLiteral(", "))},
              {QStringLiteral("visitEntry"), visitEntry}}));
    // Further visits of cases already in the book, each case with a height where it had none.
    statements << definer(
        QStringLiteral("telma_add_visits(p_user text, p jsonb)"), QStringLiteral("void"),
        fill(QStringLiteral(
                 "DECLARE v_now text := {s}.telma_now(); v_visits bigint[]; v_audit bigint[]; "
                 "v_heights bigint; BEGIN "
                 "IF EXISTS (SELECT 1 FROM jsonb_array_elements(p) AS b(e) WHERE NOT EXISTS "
                 "(SELECT 1 FROM {s}.cases c WHERE c.id = (b.e->>'case_id')::bigint)) THEN "
                 "{caseGone} END IF; "
                 "IF EXISTS (SELECT 1 FROM jsonb_array_elements(p) AS b(e) JOIN {s}.cases c ON "
                 "c.id = (b.e->>'case_id')::bigint, jsonb_array_elements(coalesce(b.e->'visits', "
                 "'[]')) AS w(v) WHERE {visitInvalid}) OR EXISTS (SELECT 1 FROM "
                 "jsonb_array_elements(p) AS b(e) WHERE (b.e->>'height_m')::float8 NOT BETWEEN "
                 "{heightLowest} AND {heightHighest}) THEN {invalid} END IF; "
                 // Only a case without a height takes one: one set meanwhile is kept.
                 "WITH h AS (UPDATE {s}.cases c SET height_m = (b.e->>'height_m')::float8, "
                 "changed_by = p_user, changed_at = v_now, row_version = c.row_version + 1 FROM "
                 "jsonb_array_elements(p) AS b(e) WHERE c.id = (b.e->>'case_id')::bigint AND "
                 "b.e->>'height_m' IS NOT NULL AND c.height_m IS NULL RETURNING c.id) SELECT "
                 "count(*) INTO v_heights FROM h; "
                 "IF v_heights <> (SELECT count(*) FROM jsonb_array_elements(p) AS b(e) WHERE "
                 "b.e->>'height_m' IS NOT NULL) THEN {heightSet} END IF; "
                 "WITH ins AS (INSERT INTO {s}.case_visits (case_id, visit_date, bmi, weight_kg, "
                 "note) SELECT (b.e->>'case_id')::bigint, {visitValues} FROM "
                 "jsonb_array_elements(p) WITH ORDINALITY AS b(e, n), jsonb_array_elements("
                 "coalesce(b.e->'visits', '[]')) WITH ORDINALITY AS w(v, vn) ORDER BY b.n, w.vn "
                 "RETURNING id) SELECT coalesce(array_agg(ins.id), '{}') INTO v_visits FROM ins; "
                 "{audit} END"),
             {{QStringLiteral("caseGone"), raise(CaseGone)},
              {QStringLiteral("visitInvalid"), visitInvalid(QStringLiteral("w.v"), QStringLiteral("c.baseline_date"))},
              {QStringLiteral("heightLowest"), number(VisitLimits::HeightLowest)},
              {QStringLiteral("heightHighest"), number(VisitLimits::HeightHighest)},
              {QStringLiteral("invalid"), raise(InvalidValue)},
              {QStringLiteral("heightSet"), raise(HeightSet)},
              {QStringLiteral("visitValues"), visitValues(QStringLiteral("w.v"))},
              {QStringLiteral("audit"),
               auditEntries(QStringLiteral(
                   "SELECT row_number() OVER (ORDER BY b.n, x.kind, x.visit) AS ord, b.case_id, "
                   "x.action, x.fields, x.olds, x.news FROM (SELECT t.n, (t.e->>'case_id')::bigint "
                   "AS case_id, t.e->>'height_m' AS height FROM jsonb_array_elements(p) WITH "
                   "ORDINALITY AS t(e, n)) AS b, LATERAL (SELECT 0 AS kind, 0::bigint AS visit, "
                   "'update'::text AS action, ARRAY['height_m'] AS fields, ARRAY[NULL]::text[] AS "
                   "olds, ARRAY[c.height_m::text] AS news FROM {s}.cases c WHERE c.id = b.case_id "
                   "AND b.height IS NOT NULL UNION ALL SELECT 1, w.id, 'visit insert', {visitEntry} "
                   "FROM {s}.case_visits w WHERE w.id = ANY (v_visits) AND w.case_id = b.case_id) "
                   "AS x"))},
              {QStringLiteral("visitEntry"), visitEntry}}));
    statements << definer(
        QStringLiteral("telma_update_case(p_user text, p_id bigint, p_version bigint, p jsonb)"),
        QStringLiteral("TABLE(o_time text, o_version bigint)"),
        QStringLiteral("DECLARE v_version bigint; v_old text[]; BEGIN %1 "
                       "SELECT row_version INTO v_version FROM {s}.cases WHERE id = p_id FOR "
                       "UPDATE; IF NOT FOUND THEN %2 END IF; "
                       "IF v_version <> p_version THEN %3 END IF; "
                       // A code that keeps its fold stays the case's own, even beside a twin.
                       "IF p->>'code_folded' <> (SELECT code_folded FROM {s}.cases WHERE id = "
                       "p_id) AND EXISTS (SELECT 1 FROM {s}.cases WHERE code_folded = "
                       "p->>'code_folded' AND id <> p_id) THEN %4 END IF; "
                       "o_time := {s}.telma_now(); v_old := {s}.telma_case_texts(p_id); "
                       "UPDATE {s}.cases SET %5, changed_by = p_user, changed_at = o_time, "
                       "row_version = row_version + 1 WHERE id = p_id; "
                       "PERFORM {s}.telma_write_answers(p_id, p); "
                       "PERFORM {s}.telma_audit_case(p_id, 'update', p_user, o_time, v_old, "
                       "{s}.telma_case_texts(p_id)); "
                       "o_version := v_version + 1; RETURN NEXT; END")
            .arg(caseCheck(), raise(CaseGone), raise(CaseChanged), raise(CodeInUse),
                 assignments.join(QStringLiteral(", "))));
    // The person's right to erasure: the answers and visits go with the case (foreign keys),
    // its old values from the trail, which keeps only who deleted it and when.
    statements << definer(
        QStringLiteral("telma_remove_case(p_user text, p_id bigint)"), QStringLiteral("void"),
        QStringLiteral("BEGIN DELETE FROM {s}.cases WHERE id = p_id; IF NOT FOUND THEN %1 END "
                       "IF; DELETE FROM {s}.case_audit_values WHERE case_id = p_id; "
                       "PERFORM {s}.telma_audit(p_id, 'delete', p_user, {s}.telma_now(), '{}', "
                       "'{}', '{}'); END")
            .arg(raise(CaseGone)));
    statements << definer(
        QStringLiteral("telma_add_visit(p_user text, p_case bigint, v jsonb, p_replace boolean, "
                       "p_height float8)"),
        QStringLiteral("bigint"),
        QStringLiteral("DECLARE v_now text := {s}.telma_now(); v_earlier bigint; v_old text[]; "
                       "v_id bigint; BEGIN "
                       "PERFORM {s}.telma_check_visit(v, {s}.telma_baseline(p_case)); "
                       "PERFORM {s}.telma_store_height(p_user, v_now, p_case, p_height); "
                       "SELECT id INTO v_earlier FROM {s}.case_visits WHERE case_id = p_case AND "
                       "visit_date = v->>'visit_date'; "
                       "IF v_earlier IS NOT NULL AND NOT p_replace THEN %1 END IF; "
                       "IF v_earlier IS NOT NULL THEN v_old := ARRAY[v_earlier::text] || "
                       "{s}.telma_visit_texts(v_earlier); DELETE FROM {s}.case_visits WHERE id = "
                       "v_earlier; END IF; "
                       "v_id := {s}.telma_insert_visit(p_case, v); "
                       "IF v_earlier IS NULL THEN PERFORM {s}.telma_audit(p_case, 'visit insert', "
                       "p_user, v_now, %2, %3, ARRAY[v_id::text] || {s}.telma_visit_texts(v_id)); "
                       "ELSE PERFORM {s}.telma_audit(p_case, 'visit replace', p_user, v_now, "
                       "%2 || %2, %3 || v_old, ARRAY[v_id::text] || {s}.telma_visit_texts(v_id) "
                       "|| %3); END IF; RETURN v_id; END")
            .arg(raise(SameDate), visitFields, noVisit));
    statements << definer(
        QStringLiteral("telma_keep_earlier_visit(p_user text, p_case bigint, v jsonb)"),
        QStringLiteral("void"),
        QStringLiteral("BEGIN PERFORM {s}.telma_baseline(p_case); "
                       "PERFORM {s}.telma_audit(p_case, 'visit not replaced', p_user, "
                       "{s}.telma_now(), ARRAY['visit_date', 'bmi', 'weight_kg', 'note'], "
                       "ARRAY[NULL, NULL, NULL, NULL]::text[], ARRAY[v->>'visit_date', "
                       "(v->>'bmi')::float8::text, coalesce((v->>'weight_kg')::float8::text, ''), "
                       "coalesce(v->>'note', '')]); END"));
    statements << definer(
        QStringLiteral("telma_update_visit(p_user text, p_case bigint, v jsonb, p_height float8)"),
        QStringLiteral("void"),
        QStringLiteral("DECLARE v_now text := {s}.telma_now(); v_id bigint := (v->>'id')::bigint; "
                       "v_old text[]; v_new text[]; BEGIN "
                       "PERFORM {s}.telma_check_visit(v, {s}.telma_baseline(p_case)); "
                       "IF EXISTS (SELECT 1 FROM {s}.case_visits WHERE case_id = p_case AND "
                       "visit_date = v->>'visit_date' AND id <> v_id) THEN %1 END IF; "
                       "SELECT {s}.telma_visit_texts(id) INTO v_old FROM {s}.case_visits WHERE "
                       "id = v_id AND case_id = p_case; IF NOT FOUND THEN %2 END IF; "
                       "PERFORM {s}.telma_store_height(p_user, v_now, p_case, p_height); "
                       "UPDATE {s}.case_visits SET visit_date = v->>'visit_date', bmi = "
                       "(v->>'bmi')::float8, weight_kg = (v->>'weight_kg')::float8, note = "
                       "coalesce(v->>'note', '') WHERE id = v_id; "
                       "v_new := {s}.telma_visit_texts(v_id); "
                       "PERFORM {s}.telma_audit(p_case, 'visit update', p_user, v_now, "
                       "ARRAY['visit_id'] || coalesce(array_agg(d.f ORDER BY d.n), '{}'), "
                       "ARRAY[v_id::text] || coalesce(array_agg(d.o ORDER BY d.n), '{}'), "
                       "ARRAY[v_id::text] || coalesce(array_agg(d.w ORDER BY d.n), '{}')) "
                       "FROM unnest(ARRAY['visit_date', 'bmi', 'weight_kg', 'note'], v_old, "
                       "v_new) WITH ORDINALITY AS d(f, o, w, n) WHERE d.o IS DISTINCT FROM d.w; "
                       "END")
            .arg(raise(SameDate), raise(VisitGone)));
    statements << definer(
        QStringLiteral("telma_remove_visit(p_user text, p_case bigint, p_visit bigint)"),
        QStringLiteral("void"),
        QStringLiteral("DECLARE v_old text[]; BEGIN "
                       "SELECT {s}.telma_visit_texts(id) INTO v_old FROM {s}.case_visits WHERE "
                       "id = p_visit AND case_id = p_case; IF NOT FOUND THEN %1 END IF; "
                       "DELETE FROM {s}.case_visits WHERE id = p_visit; "
                       "PERFORM {s}.telma_audit(p_case, 'visit delete', p_user, {s}.telma_now(), "
                       "%2, ARRAY[p_visit::text] || v_old, %3); END")
            .arg(raise(VisitGone), visitFields, noVisit));

    // The clinic's calibrations: kept as made, at most one in use, each change in their trail.
    statements << definer(
        QStringLiteral("telma_calibration_audit(p_id bigint, p_action text, p_user text, "
                       "p_now text)"),
        QStringLiteral("void"),
        QStringLiteral("BEGIN INSERT INTO {s}.calibration_audit (calibration_id, action, "
                       "changed_by, changed_at) VALUES (p_id, p_action, p_user, p_now); END"));
    statements << definer(
        QStringLiteral("telma_drop_calibration(p_user text, p_now text)"), QStringLiteral("void"),
        QStringLiteral("DECLARE v_id bigint; BEGIN UPDATE {s}.calibrations SET in_use = 0 WHERE "
                       "in_use = 1 RETURNING id INTO v_id; IF v_id IS NOT NULL THEN PERFORM "
                       "{s}.telma_calibration_audit(v_id, 'drop', p_user, p_now); END IF; END"));
    statements << definer(
        QStringLiteral("telma_add_calibration(p_user text, p jsonb, p_use boolean)"),
        QStringLiteral("TABLE(o_id bigint, o_time text)"),
        QStringLiteral(
            "BEGIN o_time := {s}.telma_now(); "
            "IF p_use THEN PERFORM {s}.telma_drop_calibration(p_user, o_time); END IF; "
            "INSERT INTO {s}.calibrations (made_at, made_by, model_version, source_file, "
            "source_sha256, people, in_use) VALUES (o_time, p_user, p->>'model_version', "
            "coalesce(p->>'source_file', ''), coalesce(p->>'source_sha256', ''), "
            "(p->>'people')::bigint, CASE WHEN p_use THEN 1 ELSE 0 END) RETURNING id INTO o_id; "
            "INSERT INTO {s}.calibration_months (calibration_id, month, n, mean_error, sd_error, "
            "low, high) SELECT o_id, (m.e->>'month')::int, (m.e->>'n')::bigint, "
            "(m.e->>'mean_error')::float8, (m.e->>'sd_error')::float8, (m.e->>'low')::float8, "
            "(m.e->>'high')::float8 FROM jsonb_array_elements(p->'months') AS m(e); "
            "PERFORM {s}.telma_calibration_audit(o_id, 'make', p_user, o_time); "
            "IF p_use THEN PERFORM {s}.telma_calibration_audit(o_id, 'use', p_user, o_time); "
            "END IF; RETURN NEXT; END"));
    statements << definer(
        QStringLiteral("telma_use_calibration(p_user text, p_id bigint)"), QStringLiteral("void"),
        QStringLiteral("DECLARE v_now text := {s}.telma_now(); BEGIN "
                       "IF NOT EXISTS (SELECT 1 FROM {s}.calibrations WHERE id = p_id) THEN %1 "
                       "END IF; PERFORM {s}.telma_drop_calibration(p_user, v_now); "
                       "UPDATE {s}.calibrations SET in_use = 1 WHERE id = p_id; "
                       "PERFORM {s}.telma_calibration_audit(p_id, 'use', p_user, v_now); END")
            .arg(raise(CalibrationGone)));
    statements << definer(
        QStringLiteral("telma_use_no_calibration(p_user text)"), QStringLiteral("void"),
        QStringLiteral("BEGIN PERFORM {s}.telma_drop_calibration(p_user, {s}.telma_now()); END"));

    // Nobody runs them but those granted (see CaseSchema::grantStatements). A role that was
    // granted the tables by an earlier version loses its writes and may call these instead.
    statements << QStringLiteral("REVOKE EXECUTE ON ALL FUNCTIONS IN SCHEMA {s} FROM PUBLIC");
    QString entries = entryPoints(schema).join(QStringLiteral(", "));
    entries.replace(QLatin1Char('\''), QLatin1String("''"));
    entries.replace(QLatin1Char('%'), QLatin1String("%%"));
    statements << QStringLiteral(
                      "DO $do$ DECLARE r text; BEGIN FOR r IN SELECT DISTINCT grantee::text FROM "
                      "information_schema.role_table_grants WHERE table_schema = "
                      "current_schema() AND table_name = 'cases' AND grantee::text NOT IN "
                      "(current_user::text, 'PUBLIC') LOOP "
                      "EXECUTE format('REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON ALL TABLES IN "
                      "SCHEMA %I FROM %I', current_schema(), r); "
                      "EXECUTE format('GRANT EXECUTE ON FUNCTION %1 TO %I', r); END LOOP; END $do$")
                      .arg(entries);
    for (QString &statement : statements)
        statement.replace(QLatin1String("{s}"), schema);
    return statements;
}

QString CaseServerFunctions::call(const QString &schema, const char *function, int arguments)
{
    QStringList marks;
    for (int i = 0; i < arguments; ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("SELECT * FROM %1.%2(%3)")
        .arg(schema, QLatin1String(function), marks.join(QStringLiteral(", ")));
}

static QJsonValue optionalNumber(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

static QJsonObject caseObject(const CaseRecord &record)
{
    QJsonObject object{
        {QStringLiteral("code"), record.code},
        // The fold the database keeps unique; the server cannot work it out alike.
        {QStringLiteral("code_folded"), CaseFields::foldedCode(record.code)},
        {QStringLiteral("baseline_date"), record.baselineDate.toString(DateFormat)},
        {QStringLiteral("height_m"), optionalNumber(record.heightMetres)},
        {QStringLiteral("model_version"), record.modelVersion},
    };
    QJsonArray answers;
    for (int p = 0; p < PredictorCount; ++p) {
        const QString column = CaseFields::predictorColumn(p);
        object.insert(column, record.predictors[p]);
        object.insert(column + QStringLiteral("_source"), record.sources[p]);
        QJsonArray items;
        for (int answer : record.answers[p])
            items.append(answer);
        answers.append(items);
    }
    object.insert(QStringLiteral("answers"), answers);
    for (int m = 1; m <= CourseMonths; ++m)
        object.insert(CaseFields::monthColumn(m), record.course[m - 1]);
    return object;
}

static QJsonObject visitObject(const Visit &visit)
{
    return {{QStringLiteral("id"), QString::number(visit.id)},
            {QStringLiteral("visit_date"), visit.date.toString(DateFormat)},
            {QStringLiteral("bmi"), visit.bmi},
            {QStringLiteral("weight_kg"), optionalNumber(visit.weightKg)},
            {QStringLiteral("note"), visit.note}};
}

static QString compact(const QJsonValue &value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray())
                                                   : QJsonDocument(value.toObject());
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

QString CaseServerFunctions::caseArgument(const CaseRecord &record)
{
    return compact(caseObject(record));
}

QString CaseServerFunctions::visitArgument(const Visit &visit)
{
    return compact(visitObject(visit));
}

QStringList CaseServerFunctions::batchArguments(const QVector<CaseRecord> &records,
                                               const QVector<QList<Visit>> &visits,
                                               int chunk)
{
    QStringList chunks;
    for (int first = 0; first < records.size(); first += chunk) {
        QJsonArray batch;
        for (int i = first; i < std::min<int>(first + chunk, records.size()); ++i) {
            QJsonArray itsVisits;
            for (const Visit &visit : visits.value(i))
                itsVisits.append(visitObject(visit));
            batch.append(QJsonObject{{QStringLiteral("case"), caseObject(records.at(i))},
                                     {QStringLiteral("visits"), itsVisits}});
        }
        chunks << compact(batch);
    }
    return chunks;
}

QStringList CaseServerFunctions::storedVisitsArguments(const QVector<CaseVisits> &stored, int chunk)
{
    QStringList chunks;
    for (int first = 0; first < stored.size(); first += chunk) {
        QJsonArray batch;
        for (int i = first; i < std::min<int>(first + chunk, stored.size()); ++i) {
            const CaseVisits &more = stored.at(i);
            QJsonArray itsVisits;
            for (const Visit &visit : more.visits)
                itsVisits.append(visitObject(visit));
            batch.append(QJsonObject{{QStringLiteral("case_id"), QString::number(more.caseId)},
                                     {QStringLiteral("height_m"), optionalNumber(more.newHeightM)},
                                     {QStringLiteral("visits"), itsVisits}});
        }
        chunks << compact(batch);
    }
    return chunks;
}

static QJsonValue finiteOrNull(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QString CaseServerFunctions::calibrationArgument(const Calibration &calibration)
{
    QJsonArray months;
    for (int k = 1; k <= CourseMonths; ++k) {
        const CalibrationMonth &m = calibration.month(k);
        months.append(QJsonObject{{QStringLiteral("month"), k},
                                  {QStringLiteral("n"), QString::number(m.n)},
                                  {QStringLiteral("mean_error"), finiteOrNull(m.meanError)},
                                  {QStringLiteral("sd_error"), finiteOrNull(m.sdError)},
                                  {QStringLiteral("low"), m.low ? finiteOrNull(*m.low) : QJsonValue()},
                                  {QStringLiteral("high"), m.high ? finiteOrNull(*m.high) : QJsonValue()}});
    }
    return compact(QJsonObject{{QStringLiteral("model_version"), calibration.modelVersion},
                               {QStringLiteral("source_file"), calibration.sourceFile},
                               {QStringLiteral("source_sha256"), calibration.sourceSha256},
                               {QStringLiteral("people"), QString::number(calibration.people)},
                               {QStringLiteral("months"), months}});
}

CaseServerFunctions::Refusal CaseServerFunctions::refusal(const QSqlQuery &query)
{
    const QString state = query.lastError().nativeErrorCode();
    for (const RefusalState &entry : RefusalStates) {
        if (state == QLatin1String(entry.state))
            return entry.refusal;
    }
    return NoRefusal;
}
