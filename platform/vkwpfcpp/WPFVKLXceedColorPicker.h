#pragma once
#include "vkwpfcpp/WPFWndBase.h"

#include <cstdint>

class QToolButton;

// A colour button (a QToolButton in the markup): it shows the selected
// colour, and a click opens the choice of "Keine Farbe", the toolkit's 25
// colours and "Weitere Farben ..." (any colour). The choices are menu items
// named after the button: "<name>_KeineFarbe", "<name>_Farbe0" to
// "<name>_Farbe24", "<name>_WeitereFarben".
//
// Colours are colour references 0x00BBGGRR (CVKColorRef); the no-colour
// value has all 32 bits set and is what an empty button gives.
class CWPFVKLXceedColorPicker : public CWPFWndBase {
public:
    void SetSelectedColor(std::uint32_t colorRef);
    std::uint32_t GetSelectedColor() const { return m_nColor; }
    // The colour that stands when none is chosen (shown as "Standard"); no
    // colour by default, shown as "keine".
    void SetDefaultColor(std::uint32_t colorRef);

protected:
    bool CanAttach(QObject* element) const override;
    void OnAttached() override;

private:
    QToolButton* Button() const;
    void ShowColor();

    std::uint32_t m_nColor = 0xFFFFFFFFu;
    std::uint32_t m_nDefault = 0xFFFFFFFFu;
};
