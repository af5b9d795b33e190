# Everything under AddressSanitizer and UndefinedBehaviorSanitizer, for development.
set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${sanitize})
add_link_options(${sanitize})
