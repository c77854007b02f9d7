// The root check of the file dialog (CPath::IsSubPath) against a model that
// walks the names: a path typed below the data root stays inside exactly when
// its names, with "." dropped and ".." going up one level (never above the
// drive's root), still begin with the root's names, compared without regard
// to case.
#include "FuzzCheck.h"

#include "vkbasis/CPath.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kRootNames = {"J3", "DATEN"};

std::string AsciiUpper(std::string text)
{
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return text;
}

bool ModelInside(const std::string& tail)
{
    std::vector<std::string> names = kRootNames;
    std::string name;
    for (std::size_t i = 0; i <= tail.size(); ++i) {
        if (i < tail.size() && tail[i] != '\\' && tail[i] != '/') {
            name += tail[i];
            continue;
        }
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(AsciiUpper(name));
        }
        name.clear();
    }
    return names.size() >= kRootNames.size() && std::equal(kRootNames.begin(), kRootNames.end(), names.begin());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Few letters, so that names meet the root's names often; ':' makes
    // names that look like drives, NUL ends C strings early.
    static const char kAlphabet[] = {'j', 'J', '3', 'd', 'D', 'a', 't', 'e', 'n', 'N', '.', '.', '\\', '/', ':', ' ', '\0'};
    FuzzedDataProvider input(data, size);
    std::string tail;
    while (input.remaining_bytes() > 0 && tail.size() < 200)
        tail += input.PickValueInArray(kAlphabet);
    const std::string root = "C:\\J3\\Daten";
    const std::string typed = root + "\\" + tail;
    const bool inside = CPath(CString(typed.data(), static_cast<int>(typed.size()))).IsSubPath(CPath(CString(root)));
    FuzzCheck(inside == ModelInside(tail), "a path is inside the root exactly when its names stay below it");
    return 0;
}
