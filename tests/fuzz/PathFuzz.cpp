// The Windows-grammar path type against the laws of its lexical operations.
#include "FuzzCheck.h"

#include "winpath/AnsiCodePage.h"
#include "winpath/Path.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <functional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const winpath::path a(winpath::AnsiToWide(input.ConsumeRandomLengthString(300)));
    const winpath::path b(winpath::AnsiToWide(input.ConsumeRemainingBytesAsString()));

    FuzzCheck(a.native().starts_with(a.root_name().native()) && a.native().ends_with(a.relative_path().native()) &&
                  a.root_name().native().size() + a.root_directory().native().size() +
                          a.relative_path().native().size() <= a.native().size(),
              "the root name begins the text, the relative path ends it, and neither overlaps the root directory");
    const winpath::path normal = a.lexically_normal();
    FuzzCheck(normal.lexically_normal().native() == normal.native(), "normalising twice changes nothing");
    FuzzCheck(a.empty() || normal.is_absolute() == a.is_absolute(), "normalising keeps a path absolute or relative");
    FuzzCheck(normal.root_name().native().size() == a.root_name().native().size(),
              "normalising keeps the root name");

    const int ab = a.compare(b);
    const int ba = b.compare(a);
    FuzzCheck((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0), "comparison is antisymmetric");
    FuzzCheck(a.compare(a) == 0, "a path equals itself");
    FuzzCheck(ab != 0 || std::hash<winpath::path>()(a) == std::hash<winpath::path>()(b), "equal paths hash alike");
    return 0;
}
