# The name-day calendar is compiled into the program: namedays.txt becomes a C++ source at build
# time, so nothing is read from disk at run time. On the way the table's form is checked, so a
# damaged line stops the build instead of shipping a feast that can never match.
#
# Included by resources/CMakeLists.txt, this file declares the rule and the library
# velorine_name_day_table. Run by that rule with "cmake -DTABLE=... -DOUTPUT=... -P", it checks
# TABLE and writes OUTPUT.

if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(name_day_table ${CMAKE_CURRENT_LIST_DIR}/namedays.txt)
  set(name_day_table_source ${CMAKE_CURRENT_BINARY_DIR}/name_day_table_text.cpp)
  add_custom_command(
    OUTPUT ${name_day_table_source}
    COMMAND ${CMAKE_COMMAND} -DTABLE=${name_day_table} -DOUTPUT=${name_day_table_source}
            -P ${CMAKE_CURRENT_LIST_FILE}
    DEPENDS ${name_day_table} ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Embedding the name-day calendar"
    VERBATIM)
  add_library(velorine_name_day_table STATIC ${name_day_table_source})
  # The generated source includes the header that declares it.
  target_include_directories(velorine_name_day_table PRIVATE ${PROJECT_SOURCE_DIR}/src)
  set_target_properties(velorine_name_day_table PROPERTIES AUTOMOC OFF AUTORCC OFF)
  return()
endif()

set(entry_count 1011)
set(month_lengths 31 29 31 30 31 30 31 31 30 31 30 31)

function(reject_table message)
  message(FATAL_ERROR "${TABLE}: ${message}")
endfunction()

file(READ "${TABLE}" hex HEX)
file(READ "${TABLE}" content)
# Reading as text drops carriage returns (and NUL bytes) that the embedded bytes would keep.
string(LENGTH "${hex}" hex_length)
string(LENGTH "${content}" text_length)
math(EXPR byte_count "${hex_length} / 2")
if(NOT text_length EQUAL byte_count)
  reject_table("it holds a carriage return or a NUL byte; lines end with a newline alone")
endif()
if(NOT content MATCHES "\n$")
  reject_table("the last line has no newline")
endif()

# Name parts use the letters, eight accented letters (all in Windows-1252), the hyphen, the
# apostrophe and parentheses; the day and month are two digits each.
set(entry_form "^([A-Za-z'()-]|â|ç|è|é|ë|î|ï|ô)+\\|([0-9][0-9])/([0-9][0-9])\n$")
string(REGEX MATCHALL "[^\n]*\n" lines "${content}")
set(identifier 0)
foreach(line IN LISTS lines)
  math(EXPR identifier "${identifier} + 1")
  if(NOT line MATCHES "${entry_form}")
    string(STRIP "${line}" shown)
    reject_table("line ${identifier} \"${shown}\" is not Name|DD/MM")
  endif()
  math(EXPR day "${CMAKE_MATCH_2}")
  math(EXPR month "${CMAKE_MATCH_3}")
  if(month LESS 1 OR month GREATER 12)
    reject_table("line ${identifier} has no month ${month}")
  endif()
  math(EXPR month_index "${month} - 1")
  list(GET month_lengths ${month_index} month_length)
  if(day LESS 1 OR day GREATER month_length)
    reject_table("line ${identifier} has no day ${day} in month ${month}")
  endif()
endforeach()
if(NOT identifier EQUAL entry_count)
  reject_table("${identifier} entries, expected ${entry_count}")
endif()

# The bytes go out as an array rather than a string literal: a hex escape in a literal would eat
# the digits of the character after it.
string(REGEX REPLACE "(................................)" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "// Generated from resources/namedays.txt by namedays.cmake; do not edit.
#include \"reminders/name_day_table_text.h\"

namespace velorine::reminders {
namespace {

constexpr unsigned char kTableBytes[] = {
${bytes}
};

}  // namespace

std::string_view nameDayTableText() {
    return {reinterpret_cast<const char*>(kTableBytes), sizeof kTableBytes};
}

}  // namespace velorine::reminders
")
