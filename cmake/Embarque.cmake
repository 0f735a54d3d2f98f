# Run as a script: writes a C++ source that defines `tavo::terrain::PageIntegree()` with the
# judge's page, script and style sheet, so the program carries them and serves nothing from disk.
#   cmake -DHTML=... -DJS=... -DCSS=... -DSORTIE=... -P Embarque.cmake
function(tavo_octets fichier variable)
    file(READ "${fichier}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," hex "${hex}")
    set(${variable} "${hex}" PARENT_SCOPE)
endfunction()
tavo_octets("${HTML}" html)
tavo_octets("${JS}" js)
tavo_octets("${CSS}" css)
file(WRITE "${SORTIE}.tmp" "// Generated from res/terrain by cmake/Embarque.cmake.
#include \"terrain/Serveur.h\"
namespace tavo::terrain {
namespace {
const char HTML[] = {${html}};
const char JS[] = {${js}};
const char CSS[] = {${css}};
} // namespace
const PageJuge& PageIntegree()
{
    static const PageJuge page{std::string(HTML, sizeof HTML), std::string(JS, sizeof JS),
                               std::string(CSS, sizeof CSS)};
    return page;
}
} // namespace tavo::terrain
")
file(COPY_FILE "${SORTIE}.tmp" "${SORTIE}" ONLY_IF_DIFFERENT)
file(REMOVE "${SORTIE}.tmp")
