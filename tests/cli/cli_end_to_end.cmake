# Runs the real tovel-cli from an empty folder: it must fall back to the table built beside it.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CLI}" balance "KMnO4+HCl=KCl+MnCl2+Cl2+H2O" "Fe+O2=Fe2O3"
                WORKING_DIRECTORY "${WORK}"
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
set(expected "2 KMnO4 + 16 HCl = 2 KCl + 2 MnCl2 + 5 Cl2 + 8 H2O\n4 Fe + 3 O2 = 2 Fe2O3\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "tovel-cli balance gave status ${status} and:\n${out}")
endif()
execute_process(COMMAND "${CLI}" mass "Ca3(PO4)2"
                WORKING_DIRECTORY "${WORK}"
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "Ca3(PO4)2\t310.174\n")
    message(FATAL_ERROR "tovel-cli mass gave status ${status} and:\n${out}")
endif()
# A named pipe in place of the element table is refused at once, never waited for.
execute_process(COMMAND mkfifo "${WORK}/pipe.dat")
execute_process(COMMAND "${CLI}" --elements "${WORK}/pipe.dat" mass H2O
                WORKING_DIRECTORY "${WORK}" TIMEOUT 20
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT err MATCHES "No es un fichero normal")
    message(FATAL_ERROR "tovel-cli on a named pipe gave status ${status} and:\n${out}${err}")
endif()
# A PDF sheet from the real program, through the module beside it; and a copy of the program
# without the module says what is missing instead of failing to start or crashing.
execute_process(COMMAND "${CLI}" sheet --count 2 --seed 3 --pdf "${WORK}/hoja.pdf"
                WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE out RESULT_VARIABLE status)
file(READ "${WORK}/hoja.pdf" head LIMIT 5 HEX)
if(NOT status EQUAL 0 OR NOT head STREQUAL "255044462d")
    message(FATAL_ERROR "tovel-cli sheet --pdf gave status ${status} and:\n${out}")
endif()
get_filename_component(bin "${CLI}" DIRECTORY)
file(MAKE_DIRECTORY "${WORK}/alone")
file(COPY "${CLI}" "${bin}/elements.dat" "${bin}/tiptovl.rel" "${bin}/Zq" DESTINATION "${WORK}/alone")
execute_process(COMMAND "${WORK}/alone/tovel-cli" sheet --count 2 --seed 3 --pdf "${WORK}/b.pdf"
                WORKING_DIRECTORY "${WORK}/alone" OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT out MATCHES "falta el módulo tovel-sheet-pdf.so")
    message(FATAL_ERROR "tovel-cli without its PDF module gave status ${status} and:\n${out}")
endif()
execute_process(COMMAND "${WORK}/alone/tovel-cli" mass H2O WORKING_DIRECTORY "${WORK}/alone"
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "H2O\t18.0150\n")
    message(FATAL_ERROR "tovel-cli without its PDF module: mass gave status ${status} and:\n${out}")
endif()
