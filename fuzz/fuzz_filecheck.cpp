// "check" reads files the user points it at: any bytes, as any kind of file, give a list of
// problems without harm.
#include "core/check/filecheck.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace grimtally;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (FileKind kind :
         {FileKind::Data, FileKind::Choices, FileKind::Language, FileKind::Settings})
        checkFile(kind, input);
    guessFileKind(input); // its choice was checked above, whatever it is
    return 0;
}
