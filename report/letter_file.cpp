#include "report/letter_file.h"

#include "files/files.h"

namespace qrv {

void SaveLetterAs(const std::string& path, std::string_view bytes) {
    SaveFile(path, bytes, "the letter");
}

} // namespace qrv
