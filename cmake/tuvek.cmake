# Helpers shared by every folder's CMakeLists.txt.

# Adds a folder only when it holds a CMakeLists.txt, so folders can grow one at a time.
function(tuvek_add_subdirs)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# tuvek_add_test(NAME n SOURCES ... LIBS ... LABELS ... [BACKENDS])
# Registers one Qt Test executable with CTest. With BACKENDS the test runs twice,
# once on SQLite and once on PostgreSQL (label pg), chosen by TUVEK_TEST_BACKEND.
function(tuvek_add_test)
  cmake_parse_arguments(T "BACKENDS" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  # The guards of the test build, on in every test executable.
  add_executable(${T_NAME} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/guards.cpp)
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test tuvek_test_support ${T_LIBS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  # Workbooks the tests export go to the documents folder of a home of their own.
  set(env "QT_QPA_PLATFORM=offscreen;TUVEK_TEST_SOURCE_DIR=${CMAKE_SOURCE_DIR};XDG_DOCUMENTS_DIR=${CMAKE_BINARY_DIR}/test-documents")
  if(T_BACKENDS)
    add_test(NAME ${T_NAME}.sqlite COMMAND ${T_NAME})
    set_tests_properties(${T_NAME}.sqlite PROPERTIES LABELS "${T_LABELS};db"
      ENVIRONMENT "${env};TUVEK_TEST_BACKEND=sqlite" TIMEOUT ${T_TIMEOUT})
    add_test(NAME ${T_NAME}.pg COMMAND ${T_NAME})
    set_tests_properties(${T_NAME}.pg PROPERTIES LABELS "${T_LABELS};db;pg"
      ENVIRONMENT "${env};TUVEK_TEST_BACKEND=pg" TIMEOUT ${T_TIMEOUT})
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}"
      ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()
