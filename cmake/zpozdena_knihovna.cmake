# Makes a delay-load import library of a system DLL from the toolchain's import library:
# the DLL is then loaded when the program first calls one of its functions, not at process start.
# Run as a script: cmake -DNM=... -DDLLTOOL=... -DIMPORT=<lib.a> -DDLL=<name.dll> -DVYSTUP=<lib.a>
#   [-DI686=1 -DASSEMBLER=<cc> -DODKAZY=<obj>] -P zpozdena_knihovna.cmake
# For i686 it also makes ODKAZY, an object naming every stub of the library (see below).
execute_process(COMMAND "${NM}" "${IMPORT}" OUTPUT_VARIABLE symboly RESULT_VARIABLE vysledek)
if(NOT vysledek EQUAL 0)
  message(FATAL_ERROR "${NM} ${IMPORT} failed")
endif()
string(REGEX MATCHALL "[^\n]+ I __imp_[^\n]+" radky "${symboly}")
set(def "LIBRARY \"${DLL}\"\nEXPORTS\n")
set(odkazy ".section .rdata$zpozdene,\"dr\"\n")
foreach(radek IN LISTS radky)
  string(REGEX REPLACE "^.* I __imp_" "" jmeno "${radek}")
  # i686 C names carry a leading underscore that the DLL's export does not
  if(I686)
    string(REGEX REPLACE "^_" "" jmeno "${jmeno}")
  endif()
  string(APPEND def "${jmeno}\n")
  string(APPEND odkazy ".long _${jmeno}\n")
endforeach()
get_filename_component(slozka "${VYSTUP}" DIRECTORY)
get_filename_component(zaklad "${VYSTUP}" NAME_WE)
set(soubor_def "${slozka}/${zaklad}.def")
file(WRITE "${soubor_def}" "${def}")
set(parametry --input-def "${soubor_def}" --dllname "${DLL}" --output-delaylib "${VYSTUP}")
if(I686)
  # stdcall names (@N) link to the undecorated export
  list(APPEND parametry --kill-at -m i386)
else()
  list(APPEND parametry -m i386:x86-64)
endif()
execute_process(COMMAND "${DLLTOOL}" ${parametry} RESULT_VARIABLE vysledek)
if(NOT vysledek EQUAL 0)
  message(FATAL_ERROR "${DLLTOOL} could not make ${VYSTUP}")
endif()

# The i386 linker drops the stub of an import member that no object names, but a delay-load slot
# starts out pointing at its stub (code calling through a dllimport slot names only the slot): the
# slot would then hold 0 and the first call jump there. The object linked beside the library
# names every stub, so each is kept.
if(I686)
  file(WRITE "${slozka}/${zaklad}_odkazy.s" "${odkazy}")
  execute_process(COMMAND "${ASSEMBLER}" -c "${slozka}/${zaklad}_odkazy.s" -o "${ODKAZY}" RESULT_VARIABLE vysledek)
  if(NOT vysledek EQUAL 0)
    message(FATAL_ERROR "${ASSEMBLER} could not make ${ODKAZY}")
  endif()
endif()
