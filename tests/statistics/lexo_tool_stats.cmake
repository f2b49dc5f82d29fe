# lexo-tool stats on a named file, on the program folder's file, and on a missing one.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home)
string(ASCII 13 10 CRLF)
file(WRITE ${WORK}/home/statistiky.dat
  "zvířata.slv;8.12.2006;14:05:33;17;3;85;Ano;Zkoušení I${CRLF}"
  "barvy.slv;9.12.2006;9:00:00;1;2;33;Ne;Zkoušení II${CRLF}"
  "zvířata.slv;10.12.2006;15:00:00;10;10;50;Ano;Zkoušení I${CRLF}")

function(run_tool expected_code out_var err_var)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LEXO_HOME=${WORK}/home ${TOOL} ${ARGN}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "lexo-tool ${ARGN}: exit ${code}, expected ${expected_code}\n${out}\n${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

function(expect_lines text)
  foreach(pattern IN LISTS ARGN)
    if(NOT text MATCHES "${pattern}")
      message(FATAL_ERROR "no line matching '${pattern}' in:\n${text}")
    endif()
  endforeach()
endfunction()

run_tool(0 named err stats ${WORK}/home/statistiky.dat)
# Without a file the program folder's statistics are read: the same output.
run_tool(0 default err stats)
if(NOT named STREQUAL default)
  message(FATAL_ERROR "stats without a file read something else:\n${default}")
endif()
expect_lines("${named}"
  "Název slovníku +Datum +Čas +Správně +Špatně +Úspěšnost\\[%\\] +Dokončeno +Způsob"
  "\nzvířata +8\\.12\\.2006 +14:05:33 +17 +3 +85 +Ano +Zkoušení I\n"
  "Souhrn podle slovníků \\(2\\)"
  "\nzvířata +2 +10\\.12\\.2006 +85 +67,5\n"
  "\nbarvy +1 +9\\.12\\.2006 +33 +33,0\n")

file(WRITE ${WORK}/empty.dat "")
run_tool(0 out err stats ${WORK}/empty.dat)
expect_lines("${out}" "Statistiky neobsahují žádný záznam.")

run_tool(1 out err stats ${WORK}/none.dat)
expect_lines("${err}" "neexistuje")
run_tool(2 out err stats a b)
