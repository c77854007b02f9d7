#pragma once
#include "J3Dialoge/WPFJ3Dialog.h"
#include "vkwpfcpp/WPFVKLTextBox.h"
#include "vkwpfcpp/WPFVKLXceedColorPicker.h"

#include <array>

// The practice's configuration of the 25 index markers: per marker a text,
// a tool tip and a colour, stored for all workstations as the records
// "269"/"indexmrk00" to "indexmrk24" ("text|tool tip", and "|colour" when a
// colour was chosen). Markup "jt/j3dialoge/DiaIndexMarkerConfig" with the
// elements Text0..Text24, ToolTip0..ToolTip24 and ColorPicker0..ColorPicker24.
// Saving stores all 25 markers in one transaction and says that it did;
// a "|" in a text or tool tip is refused with a hint, since it separates the
// record's parts; a marker without a chosen colour shows its slot's own
// colour as the default. When the database refuses, nothing is stored, an error box gives the
// reason and the dialog stays open. Programs that already show markers keep
// the configuration they read.
class CDiaIndexMarkerConfig : public CWPFJ3Dialog {
public:
    explicit CDiaIndexMarkerConfig(QWidget* parent);

    static const CRuntimeClass classCDiaIndexMarkerConfig;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCDiaIndexMarkerConfig; }

    CWPFWndBase* OnInitDialog() override;
    void OnSaveAndExit() override;

private:
    // False, with a hint at the first box holding "|", when a text cannot be
    // stored as typed.
    bool AllTextsStorable();

    static constexpr int kMarkers = 25;
    std::array<CWPFVKLTextBox, kMarkers> m_texts;
    std::array<CWPFVKLTextBox, kMarkers> m_toolTips;
    std::array<CWPFVKLXceedColorPicker, kMarkers> m_colors;
};
