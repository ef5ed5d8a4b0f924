# Our own targets build without warnings; third-party code is not held to this.
function(pathloom_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
