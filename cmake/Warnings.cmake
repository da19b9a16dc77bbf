# Applied per target so that third-party headers and generated code stay quiet.
function(vorak_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
endfunction()
