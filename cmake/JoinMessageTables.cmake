# Joins the subsystems' message tables into one C++ source of the platform library, each table a
# sorted constant array checked at compile time. Run by the build:
#   cmake -DTABLES=<glob of the MessageTexts.inc files> -DOUTPUT=<source to write> -P JoinMessageTables.cmake
# The output is rewritten only when it changes, so an unchanged table rebuilds nothing.
file(GLOB tables "${TABLES}")

set(source "// Made by the build from every src/<subsystem>/MessageTexts.inc; edit those, not this file.\n")
string(APPEND source "#include \"platform/MessageTable.h\"\n\nnamespace varnel {\nnamespace {\n\n")
set(list "")
foreach(table IN LISTS tables)
    get_filename_component(folder "${table}" DIRECTORY)
    get_filename_component(subsystem "${folder}" NAME)
    string(SUBSTRING "${subsystem}" 0 1 initial)
    string(TOUPPER "${initial}" initial)
    string(SUBSTRING "${subsystem}" 1 -1 rest)
    set(array "k${initial}${rest}Texts")
    file(READ "${table}" texts)
    if(NOT texts MATCHES "\n$")
        string(APPEND texts "\n")
    endif()

    # Errors in a text point at its line in the table; the lines after it are this file's again.
    string(APPEND source "constexpr MessageText ${array}[] = {\n#line 1 \"${table}\"\n${texts}")
    string(REGEX MATCHALL "\n" lines "${source}")
    list(LENGTH lines line)
    math(EXPR line "${line} + 2")
    string(APPEND source "#line ${line} \"${OUTPUT}\"\n};\n")
    string(APPEND source "static_assert(IsStrictlyAscending(${array}),\n")
    string(APPEND source "              \"${table}: keep its numbers in ascending order, each once\");\n\n")
    string(APPEND list "    {\"${subsystem}\", ${array}},\n")
endforeach()

string(APPEND source "constexpr MessageTable kTables[] = {\n${list}};\n\n}  // namespace\n\n")
string(APPEND source "std::span<const MessageTable> MessageTables() { return kTables; }\n\n}  // namespace varnel\n")

file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
