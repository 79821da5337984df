# Writes OUTPUT: the page PAGE with the script elements that end its body replaced by SCRIPT's
# text inline. "</script" inside the script would end the element early; "<\/script" means
# the same there.
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
string(REPLACE "</script" "<\\/script" script "${script}")
string(FIND "${page}" "<script src=\"tornuva-data.js\"" start)
string(FIND "${page}" "</body>" end)
if(start EQUAL -1 OR end LESS start)
    message(FATAL_ERROR "${PAGE}: no script elements for the program before </body>")
endif()
string(SUBSTRING "${page}" 0 ${start} head)
string(SUBSTRING "${page}" ${end} -1 tail)
file(WRITE ${OUTPUT} "${head}<script>\n${script}\n</script>\n${tail}")
