# The guide's example page is quoted from a real file: every line of the
# first C++ block after "A complete page" marker must stand, in order, in
# pages/uart/uart0_page.cpp.
file(READ ${SOURCE_DIR}/docs/architecture.md guide)
file(READ ${SOURCE_DIR}/pages/uart/uart0_page.cpp page)
string(FIND "${guide}" "The UART0 page's constructor" at)
if(at EQUAL -1)
  message(FATAL_ERROR "docs/architecture.md: no example page")
endif()
string(SUBSTRING "${guide}" ${at} -1 guide)
string(FIND "${guide}" "```cpp\n" start)
math(EXPR start "${start} + 7")
string(SUBSTRING "${guide}" ${start} -1 guide)
string(FIND "${guide}" "```" end)
string(SUBSTRING "${guide}" 0 ${end} snippet)
string(FIND "${page}" "${snippet}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "docs/architecture.md: the example page is not as in pages/uart/uart0_page.cpp")
endif()
