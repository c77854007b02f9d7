#pragma once
#include "vkbasis/CString.h"

#include <map>
#include <vector>

// The document of the tree of all programs: categories in byte order of their
// names, each with its programs in the order of their sort keys, written as
// one line:
//   <AlleProgramme xmlns=""><ProgKat Value="PK2" ProgKatName="A">
//   <Programm Value="PR5" Image="b80" IsEnabled="True">B</Programm>
//   </ProgKat></AlleProgramme>
// (without the line breaks). Texts are escaped where markup requires it, so
// any program name stays a name; ordinary names appear as they are.
class CFavoTreeDocument {
public:
    // Notes a program. Categories are told apart by name; under a name noted
    // with several numbers the last number counts.
    void AddProgramm(int category, const CString& categoryName, int index, const CString& text, const CString& image,
                     bool enabled);
    CString Build() const;

private:
    struct SProgramm {
        CString key;
        int index;
        CString text;
        CString image;
        bool enabled;
    };
    struct SCategory {
        int number = 0;
        std::vector<SProgramm> programme;
    };

    std::map<CString, SCategory> m_categories;
};
