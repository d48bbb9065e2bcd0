# The run order of the checks is the order in which the runtime runs the static
# initialisers of their object files. g++ on Linux runs them in link order;
# MinGW-w64 runs them in the reverse of it (three sources linked 1, 2, 3 run
# 3, 2, 1). vadu_kontrol_sirasi(<list variable>) turns a list of check sources
# in run order into the order to link them in for this toolchain.
include_guard(GLOBAL)

function(vadu_kontrol_sirasi degisken)
  set(liste ${${degisken}})
  if(MINGW)
    list(REVERSE liste)
  endif()
  set(${degisken} ${liste} PARENT_SCOPE)
endfunction()
