# Turns a text file into a C++ source that holds it as one string:
#   cmake -DIN=file -DOUT=file.cpp -DNAME=identifier -P Embed.cmake
file(READ "${IN}" content)
file(WRITE "${OUT}.tmp" "// Generated from ${NAME}'s source file; edit that file, not this one.\nextern const char ${NAME}[];\nconst char ${NAME}[] = R\"embedded(${content})embedded\";\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
