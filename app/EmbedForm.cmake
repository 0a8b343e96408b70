# cmake -P EmbedForm.cmake: the main window's form definition as the program carries it. The text
# in the repository keeps each skin item's DataStream empty ("DataStream = {}") so that it stays
# readable; here the N-th empty DataStream receives the bytes of the N-th skin file, in hexadecimal.
#   -DFORM=<MainForm.form> -DOUTPUT=<generated form> -DSKINS=<skin file;skin file;...>
file(READ ${FORM} text)
set(placeholder "DataStream = {}")
foreach(skin IN LISTS SKINS)
  string(FIND "${text}" "${placeholder}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${FORM} has no empty DataStream left for ${skin}")
  endif()
  file(READ ${skin} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
         "\\1\n          " hex "${hex}")
  string(SUBSTRING "${text}" 0 ${at} before)
  string(LENGTH "${placeholder}" skip)
  math(EXPR rest "${at} + ${skip}")
  string(SUBSTRING "${text}" ${rest} -1 after)
  set(text "${before}DataStream = {\n          ${hex}}${after}")
endforeach()
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
