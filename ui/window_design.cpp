#include "ui/window_design.h"

#include <algorithm>
#include <array>

namespace {

using K = ControlKind;
using L = LookGroup;

constexpr const char *ve = "ve";
constexpr const char *frame = "frmCambio";

// Row tops of the gear grid, gear 1 to 6, inside the frame.
constexpr int gear1 = 720, gear2 = 1440, gear3 = 2280, gear4 = 3120, gear5 = 3960, gear6 = 4800;

// Columns of the grid.
constexpr int primLeft = 1920, secLeft = 3000, ratioLeft = 4200, speedLeft = 6000, unitLeft = 7320;
constexpr int teethWidth = 615, resultWidth = 1215, unitWidth = 495;
constexpr int boxHeight = 285, labelHeight = 255;

// The grid's rules: horizontal ones across the frame, vertical ones over the six gear rows.
constexpr int ruleRight = 7920, rulesTop = 600, rulesBottom = 5400;

constexpr std::array design{
    ControlDescription{"Picture1", K::PictureBox, "", ve, Bounds{8400, 2760, 4455, 3735}, L::Plain},
    ControlDescription{"Command7", K::Button, "Circonferenza standard", ve,
                       Bounds{3480, 1080, 2295, 375}, L::SmallCommandButton},
    ControlDescription{"Command6", K::Button, "Tm K9b", ve, Bounds{10920, 7320, 1815, 495},
                       L::CommandButton},
    ControlDescription{"Command5", K::Button, "Pavesi 25°", ve, Bounds{10920, 8280, 1815, 495},
                       L::CommandButton},
    ControlDescription{"Command4", K::Button, "Vortex RVS", ve, Bounds{10920, 9120, 1815, 495},
                       L::CommandButton},
    ControlDescription{"Command3", K::Button, "Tm K9", ve, Bounds{8400, 9120, 1815, 495},
                       L::CommandButton},
    ControlDescription{"Command2", K::Button, "Tm K8", ve, Bounds{8400, 8280, 1815, 495},
                       L::CommandButton},
    ControlDescription{"Command1", K::Button, "Tm Kv95", ve, Bounds{8400, 7320, 1815, 495},
                       L::CommandButton},
    ControlDescription{"Txt14", K::TextBox, "", ve, Bounds{11040, 960, 1215, boxHeight},
                       L::PresetInput},
    ControlDescription{"Txt13", K::TextBox, "", ve, Bounds{8040, 960, 1215, boxHeight},
                       L::PresetInput},
    ControlDescription{"cmdFine", K::Button, "Esci", ve, Bounds{10440, 10080, 2535, 495},
                       L::CommandButton},
    ControlDescription{"cmdCalcola", K::Button, "Calcola Cambio", ve, Bounds{5520, 9600, 2535, 495},
                       L::CommandButton},
    ControlDescription{"frmCambio", K::Frame, "Cambio", ve, Bounds{120, 2520, 7935, 6375},
                       L::Frame},

    ControlDescription{"Txt12", K::TextBox, "", frame,
                       Bounds{secLeft, gear6, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt11", K::TextBox, "", frame,
                       Bounds{secLeft, gear5, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt10", K::TextBox, "", frame,
                       Bounds{secLeft, gear4, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt9", K::TextBox, "", frame, Bounds{secLeft, gear3, teethWidth, boxHeight},
                       L::PresetInput},
    ControlDescription{"Txt8", K::TextBox, "", frame, Bounds{secLeft, gear2, teethWidth, boxHeight},
                       L::PresetInput},
    ControlDescription{"Txt7", K::TextBox, "", frame, Bounds{secLeft, gear1, teethWidth, boxHeight},
                       L::PresetInput},
    ControlDescription{"Txt6", K::TextBox, "", frame,
                       Bounds{primLeft, gear6, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt5", K::TextBox, "", frame,
                       Bounds{primLeft, gear5, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt4", K::TextBox, "", frame,
                       Bounds{primLeft, gear4, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt3", K::TextBox, "", frame,
                       Bounds{primLeft, gear3, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt2", K::TextBox, "", frame,
                       Bounds{primLeft, gear2, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Txt1", K::TextBox, "", frame,
                       Bounds{primLeft, gear1, teethWidth, boxHeight}, L::PresetInput},
    ControlDescription{"Line10", K::Line, "", frame, RuleEnds{1560, rulesTop, 1560, rulesBottom},
                       L::Plain},
    ControlDescription{"Line9", K::Line, "", frame, RuleEnds{0, 4440, ruleRight, 4440}, L::Plain},
    ControlDescription{"Line8", K::Line, "", frame, RuleEnds{0, 3600, ruleRight, 3600}, L::Plain},
    ControlDescription{"Line7", K::Line, "", frame, RuleEnds{0, 2760, ruleRight, 2760}, L::Plain},
    ControlDescription{"Line6", K::Line, "", frame, RuleEnds{0, 1920, ruleRight, 1920}, L::Plain},
    ControlDescription{"Line5", K::Line, "", frame, RuleEnds{0, 1200, ruleRight, 1200}, L::Plain},
    ControlDescription{"Line4", K::Line, "", frame, RuleEnds{5760, rulesTop, 5760, rulesBottom},
                       L::Plain},
    ControlDescription{"Line3", K::Line, "", frame, RuleEnds{3840, rulesTop, 3840, rulesBottom},
                       L::Plain},
    ControlDescription{"Label6", K::Label, "Km/h", frame,
                       Bounds{unitLeft, gear6, unitWidth, labelHeight}, L::CaptionLabel},
    ControlDescription{"Label5", K::Label, "Km/h", frame,
                       Bounds{unitLeft, gear5, unitWidth, labelHeight}, L::CaptionLabel},
    ControlDescription{"Label4", K::Label, "Km/h", frame,
                       Bounds{unitLeft, gear4, unitWidth, labelHeight}, L::CaptionLabel},
    ControlDescription{"Label3", K::Label, "Km/h", frame,
                       Bounds{unitLeft, gear3, unitWidth, labelHeight}, L::CaptionLabel},
    ControlDescription{"Label2", K::Label, "Km/h", frame,
                       Bounds{unitLeft, gear2, unitWidth, labelHeight}, L::CaptionLabel},
    ControlDescription{"Label1", K::Label, "Km/h", frame,
                       Bounds{unitLeft, gear1, unitWidth, labelHeight}, L::CaptionLabel},
    ControlDescription{"Line2", K::Line, "", frame,
                       RuleEnds{0, rulesBottom, ruleRight, rulesBottom}, L::Plain},
    ControlDescription{"Line1", K::Line, "", frame, RuleEnds{0, rulesTop, ruleRight, rulesTop},
                       L::Plain},
    ControlDescription{"lbl6", K::Label, "", frame,
                       Bounds{ratioLeft, gear6, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lbl5", K::Label, "", frame,
                       Bounds{ratioLeft, gear5, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lbl4", K::Label, "", frame,
                       Bounds{ratioLeft, gear4, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lbl3", K::Label, "", frame,
                       Bounds{ratioLeft, gear3, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lbl2", K::Label, "", frame,
                       Bounds{ratioLeft, gear2, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lbl1", K::Label, "", frame,
                       Bounds{ratioLeft, gear1, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lblRap", K::Label, "Rapp.Sec./Prim.", frame,
                       Bounds{ratioLeft, 240, 1455, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblSec", K::Label, "Sec.", frame, Bounds{secLeft, 240, 495, labelHeight},
                       L::CaptionLabel},
    ControlDescription{"lblPrim", K::Label, "Prim.", frame, Bounds{primLeft, 240, 495, labelHeight},
                       L::CaptionLabel},
    ControlDescription{"lblFinale", K::Label, "", frame,
                       Bounds{speedLeft, 5760, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"LblF", K::Label, "", frame,
                       Bounds{speedLeft, gear6, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"LblE", K::Label, "", frame,
                       Bounds{speedLeft, gear5, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"LblD", K::Label, "", frame,
                       Bounds{speedLeft, gear4, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"LblC", K::Label, "", frame,
                       Bounds{speedLeft, gear3, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"LblB", K::Label, "", frame,
                       Bounds{speedLeft, gear2, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lblA", K::Label, "", frame,
                       Bounds{speedLeft, gear1, resultWidth, labelHeight}, L::ResultLabel},
    ControlDescription{"lblRapporto", K::Label, "Rapporto Finale", frame,
                       Bounds{360, 5760, 1575, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblVelocità", K::Label, "Velocità Km/h", frame,
                       Bounds{speedLeft, 240, 1215, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblSesta", K::Label, "6° Marcia", frame,
                       Bounds{360, gear6, 1095, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblQuinta", K::Label, "5° Marcia", frame,
                       Bounds{360, gear5, 1095, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblTerza", K::Label, "3° Marcia", frame,
                       Bounds{360, gear3, 855, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblQuarta", K::Label, "4° Marcia", frame,
                       Bounds{360, gear4, 855, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblseconda", K::Label, "2° Marcia", frame,
                       Bounds{360, gear2, 975, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblprima", K::Label, "1° Marcia", frame,
                       Bounds{360, gear1, 975, labelHeight}, L::CaptionLabel},

    ControlDescription{"txtCorona", K::TextBox, "", ve, Bounds{11040, 240, 1215, boxHeight},
                       L::UserInput},
    ControlDescription{"txtPignone", K::TextBox, "", ve, Bounds{8040, 240, 1215, boxHeight},
                       L::UserInput},
    ControlDescription{"txtCirco", K::TextBox, "", ve, Bounds{4080, 600, 1215, boxHeight},
                       L::UserInput},
    ControlDescription{"txtGiri", K::TextBox, "", ve, Bounds{1200, 360, 1215, boxHeight},
                       L::UserInput},
    ControlDescription{"LblMotori", K::Label, "Motori", ve, Bounds{10080, 6720, 975, 375},
                       L::LargeCaptionLabel},
    ControlDescription{"Label8", K::Label, "cm", ve, Bounds{5400, 600, 495, labelHeight},
                       L::CaptionLabel},
    ControlDescription{"Label7", K::Label, "rpm", ve, Bounds{2520, 360, 495, labelHeight},
                       L::CaptionLabel},
    ControlDescription{"lblGc", K::Label, "", ve, Bounds{1440, 1800, 1095, labelHeight},
                       L::ResultLabel},
    ControlDescription{"lblGcambio", K::Label, "Giri Cambio", ve, Bounds{240, 1800, 975, 375},
                       L::CaptionLabel},
    ControlDescription{"lblCor", K::Label, "Cor. Primaria", ve,
                       Bounds{9600, 960, 1095, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblPign", K::Label, "Pign. Primaria", ve,
                       Bounds{6480, 960, 1215, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblP", K::Label, "", ve, Bounds{1440, 1200, 1095, labelHeight},
                       L::ResultLabel},
    ControlDescription{"lblPrimaria", K::Label, "Primaria", ve, Bounds{240, 1200, 855, labelHeight},
                       L::CaptionLabel},
    ControlDescription{"lblCirconferenzaGomma", K::Label, "Circonferenza Gomma", ve,
                       Bounds{3720, 240, 1935, labelHeight}, L::CaptionLabel},
    ControlDescription{"lblCorona", K::Label, "Corona", ve, Bounds{10080, 240, 615, labelHeight},
                       L::CaptionLabel},
    ControlDescription{"lblPignone", K::Label, "Pignone", ve, Bounds{7080, 240, 735, labelHeight},
                       L::CaptionLabel},
    ControlDescription{"lblgirimotore", K::Label, "Giri Motore", ve, Bounds{240, 240, 855, 495},
                       L::CaptionLabel},
};

// A rule is given by its ends, every other control by its bounds.
static_assert(std::ranges::all_of(design, [](const ControlDescription &control) {
    return (control.kind == K::Line) == std::holds_alternative<RuleEnds>(control.geometry);
}));

constexpr std::array<const char *, 28> tabStops{
    "txtGiri",  "txtCirco", "txtPignone", "txtCorona", "cmdCalcola", "cmdFine",  "Txt1",
    "Txt2",     "Txt3",     "Txt4",       "Txt5",      "Txt6",       "Txt7",     "Txt8",
    "Txt9",     "Txt10",    "Txt11",      "Txt12",     "Txt13",      "Txt14",    "Command1",
    "Command2", "Command3", "Command4",   "Command5",  "Command6",   "Command7", "Picture1",
};

} // namespace

std::span<const ControlDescription> windowDesign() {
    return design;
}

std::span<const char *const> focusOrder() {
    return tabStops;
}

QRect pixelGeometry(const ControlDescription &control) {
    if (const auto *ends = std::get_if<RuleEnds>(&control.geometry)) {
        const int x1 = toPixels(std::min(ends->x1, ends->x2));
        const int y1 = toPixels(std::min(ends->y1, ends->y2));
        const int x2 = toPixels(std::max(ends->x1, ends->x2));
        const int y2 = toPixels(std::max(ends->y1, ends->y2));
        return {x1, y1, std::max(1, x2 - x1), std::max(1, y2 - y1)};
    }
    const auto &bounds = std::get<Bounds>(control.geometry);
    return {toPixels(bounds.left), toPixels(bounds.top), toPixels(bounds.width),
            toPixels(bounds.height)};
}
