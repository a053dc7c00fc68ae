# Sourced by the scripts: builds and tests use every core unless the caller chose otherwise
# (presets cannot name the machine's core count).
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
