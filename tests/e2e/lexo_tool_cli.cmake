# lexo-tool info on a good, an empty, a missing and a flawed dictionary.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
string(ASCII 13 10 CRLF)
file(WRITE ${WORK}/good.slv "pes;dog;[];NENÍ${CRLF}kočka;cat+puss;[]${CRLF}a;b+c+d+e+f;[];NENÍ;navíc${CRLF}")
file(WRITE ${WORK}/empty.slv "")

function(run_tool expected_code out_var err_var)
  execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "lexo-tool ${ARGN}: exit ${code}, expected ${expected_code}\n${out}\n${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

run_tool(0 out err info ${WORK}/good.slv)
foreach(expected "Počet výrazů: 3" "Kódování: utf-8" "Řádky s méně než čtyřmi poli: 1 (2)"
                 "Řádky s více než čtyřmi poli: 1 (3)" "Výrazy s více než čtyřmi překlady: 1 (3)")
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing '${expected}' in:\n${out}")
  endif()
endforeach()

run_tool(1 out err info ${WORK}/empty.slv)
string(FIND "${err}" "Nejde načíst prázdný slovník!" at)
if(at EQUAL -1)
  message(FATAL_ERROR "empty dictionary not reported:\n${err}")
endif()

run_tool(1 out err info ${WORK}/none.slv)
string(FIND "${err}" "nelze otevřít" at)
if(at EQUAL -1)
  message(FATAL_ERROR "missing file not reported:\n${err}")
endif()

run_tool(2 out err bogus)
