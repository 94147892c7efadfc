# KELVANE_SANITIZE takes a comma-separated list for -fsanitize=, for example "address,undefined".
set(KELVANE_SANITIZE "" CACHE STRING "Sanitizers to build with (for example address,undefined)")
if(KELVANE_SANITIZE)
    add_compile_options(-fsanitize=${KELVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${KELVANE_SANITIZE})
endif()
