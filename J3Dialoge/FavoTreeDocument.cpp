#include "J3Dialoge/FavoTreeDocument.h"

#include "vkdb/VKField.h"

#include <algorithm>
#include <climits>
#include <pugixml.hpp>
#include <sstream>

void CFavoTreeDocument::AddProgramm(int category, const CString& categoryName, int index, const CString& text,
                                    const CString& image, bool enabled)
{
    SCategory& noted = m_categories[categoryName];
    noted.number = category;
    noted.programme.push_back({CVKField::MakeKY(text, INT_MAX), index, text, image, enabled});
}

CString CFavoTreeDocument::Build() const
{
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("AlleProgramme");
    root.append_attribute("xmlns") = "";
    for (const auto& [name, category] : m_categories) {
        pugi::xml_node kategorie = root.append_child("ProgKat");
        kategorie.append_attribute("Value") = ("PK" + std::to_string(category.number)).c_str();
        kategorie.append_attribute("ProgKatName") = name.GetString();
        std::vector<const SProgramm*> sorted;
        for (const SProgramm& programm : category.programme)
            sorted.push_back(&programm);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const SProgramm* a, const SProgramm* b) { return a->key < b->key; });
        for (const SProgramm* programm : sorted) {
            pugi::xml_node node = kategorie.append_child("Programm");
            node.append_attribute("Value") = ("PR" + std::to_string(programm->index)).c_str();
            node.append_attribute("Image") = programm->image.GetString();
            node.append_attribute("IsEnabled") = programm->enabled ? "True" : "False";
            if (!programm->text.IsEmpty())
                node.append_child(pugi::node_pcdata).set_value(programm->text.GetString());
        }
    }
    // The texts are Windows-1252 bytes; written as UTF-8 they pass unchanged.
    std::ostringstream text;
    document.save(text, "", pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags,
                  pugi::encoding_utf8);
    return CString(text.str());
}
