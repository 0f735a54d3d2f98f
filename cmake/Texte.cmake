# Run as a script: writes a C++ source whose function FONCTION (in namespace ESPACE) returns the
# bytes of ENTREE, so the program carries the file and serves nothing from disk.
#   cmake -DENTREE=... -DESPACE=... -DFONCTION=... -DSORTIE=... -P Texte.cmake
file(READ "${ENTREE}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," hex "${hex}")
file(WRITE "${SORTIE}.tmp" "// Generated from ${ENTREE} by cmake/Texte.cmake.
#include <string_view>
namespace ${ESPACE} {
namespace {
const char OCTETS[] = {${hex}};
} // namespace
std::string_view ${FONCTION}()
{
    return {OCTETS, sizeof OCTETS};
}
} // namespace ${ESPACE}
")
file(COPY_FILE "${SORTIE}.tmp" "${SORTIE}" ONLY_IF_DIFFERENT)
file(REMOVE "${SORTIE}.tmp")
