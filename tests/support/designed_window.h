#pragma once

#include <array>

// The window as its drawing gives it, written out here a second time and apart from the program's
// own table, so that a wrong number there shows against this one: every control in creation
// order, the Tab stops, and the boxes the compute command sweeps the focus through.

enum class DesignedKind { Label, TextBox, Button, Frame, PictureBox, Line };

// Groups of controls that look alike.
enum class DesignedLook {
    CaptionLabel, // Comic Sans MS bold, default background
    ResultLabel,  // the window's font on the system's inactive-border grey
    PresetBox,    // the window's font on the same grey
    UserBox,      // the window's font on the default box background
    Button,       // Comic Sans MS bold
    Frame,        // Comic Sans MS bold title
    None,         // the picture and the rules: nothing set
};

struct DesignedControl {
    const char *name;
    DesignedKind kind;
    const char *container; // "ve", the window's client area, or "frmCambio"
    // Twips from the container's top-left corner: left, top, width, height, borders included;
    // for a rule its end points x1, y1, x2, y2.
    int left, top, width, height;
    const char *caption; // UTF-8; empty where the control shows none
    DesignedLook look;
    double points; // Comic Sans MS bold at this size; 0 where the control keeps the window's font
};

inline constexpr int designedTwipsPerPixel = 15; // at 96 dots per inch

// clang-format off
inline constexpr std::array<DesignedControl, 82> designedControls{{
    {"Picture1", DesignedKind::PictureBox, "ve", 8400, 2760, 4455, 3735, "", DesignedLook::None, 0},
    {"Command7", DesignedKind::Button, "ve", 3480, 1080, 2295, 375, "Circonferenza standard", DesignedLook::Button, 8.25},
    {"Command6", DesignedKind::Button, "ve", 10920, 7320, 1815, 495, "Tm K9b", DesignedLook::Button, 14.25},
    {"Command5", DesignedKind::Button, "ve", 10920, 8280, 1815, 495, "Pavesi 25°", DesignedLook::Button, 14.25},
    {"Command4", DesignedKind::Button, "ve", 10920, 9120, 1815, 495, "Vortex RVS", DesignedLook::Button, 14.25},
    {"Command3", DesignedKind::Button, "ve", 8400, 9120, 1815, 495, "Tm K9", DesignedLook::Button, 14.25},
    {"Command2", DesignedKind::Button, "ve", 8400, 8280, 1815, 495, "Tm K8", DesignedLook::Button, 14.25},
    {"Command1", DesignedKind::Button, "ve", 8400, 7320, 1815, 495, "Tm Kv95", DesignedLook::Button, 14.25},
    {"Txt14", DesignedKind::TextBox, "ve", 11040, 960, 1215, 285, "", DesignedLook::PresetBox, 0},
    {"Txt13", DesignedKind::TextBox, "ve", 8040, 960, 1215, 285, "", DesignedLook::PresetBox, 0},
    {"cmdFine", DesignedKind::Button, "ve", 10440, 10080, 2535, 495, "Esci", DesignedLook::Button, 14.25},
    {"cmdCalcola", DesignedKind::Button, "ve", 5520, 9600, 2535, 495, "Calcola Cambio", DesignedLook::Button, 14.25},
    {"frmCambio", DesignedKind::Frame, "ve", 120, 2520, 7935, 6375, "Cambio", DesignedLook::Frame, 14.25},

    {"Txt12", DesignedKind::TextBox, "frmCambio", 3000, 4800, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt11", DesignedKind::TextBox, "frmCambio", 3000, 3960, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt10", DesignedKind::TextBox, "frmCambio", 3000, 3120, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt9", DesignedKind::TextBox, "frmCambio", 3000, 2280, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt8", DesignedKind::TextBox, "frmCambio", 3000, 1440, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt7", DesignedKind::TextBox, "frmCambio", 3000, 720, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt6", DesignedKind::TextBox, "frmCambio", 1920, 4800, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt5", DesignedKind::TextBox, "frmCambio", 1920, 3960, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt4", DesignedKind::TextBox, "frmCambio", 1920, 3120, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt3", DesignedKind::TextBox, "frmCambio", 1920, 2280, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt2", DesignedKind::TextBox, "frmCambio", 1920, 1440, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Txt1", DesignedKind::TextBox, "frmCambio", 1920, 720, 615, 285, "", DesignedLook::PresetBox, 0},
    {"Line10", DesignedKind::Line, "frmCambio", 1560, 600, 1560, 5400, "", DesignedLook::None, 0},
    {"Line9", DesignedKind::Line, "frmCambio", 0, 4440, 7920, 4440, "", DesignedLook::None, 0},
    {"Line8", DesignedKind::Line, "frmCambio", 0, 3600, 7920, 3600, "", DesignedLook::None, 0},
    {"Line7", DesignedKind::Line, "frmCambio", 0, 2760, 7920, 2760, "", DesignedLook::None, 0},
    {"Line6", DesignedKind::Line, "frmCambio", 0, 1920, 7920, 1920, "", DesignedLook::None, 0},
    {"Line5", DesignedKind::Line, "frmCambio", 0, 1200, 7920, 1200, "", DesignedLook::None, 0},
    {"Line4", DesignedKind::Line, "frmCambio", 5760, 600, 5760, 5400, "", DesignedLook::None, 0},
    {"Line3", DesignedKind::Line, "frmCambio", 3840, 600, 3840, 5400, "", DesignedLook::None, 0},
    {"Label6", DesignedKind::Label, "frmCambio", 7320, 4800, 495, 255, "Km/h", DesignedLook::CaptionLabel, 8.25},
    {"Label5", DesignedKind::Label, "frmCambio", 7320, 3960, 495, 255, "Km/h", DesignedLook::CaptionLabel, 8.25},
    {"Label4", DesignedKind::Label, "frmCambio", 7320, 3120, 495, 255, "Km/h", DesignedLook::CaptionLabel, 8.25},
    {"Label3", DesignedKind::Label, "frmCambio", 7320, 2280, 495, 255, "Km/h", DesignedLook::CaptionLabel, 8.25},
    {"Label2", DesignedKind::Label, "frmCambio", 7320, 1440, 495, 255, "Km/h", DesignedLook::CaptionLabel, 8.25},
    {"Label1", DesignedKind::Label, "frmCambio", 7320, 720, 495, 255, "Km/h", DesignedLook::CaptionLabel, 8.25},
    {"Line2", DesignedKind::Line, "frmCambio", 0, 5400, 7920, 5400, "", DesignedLook::None, 0},
    {"Line1", DesignedKind::Line, "frmCambio", 0, 600, 7920, 600, "", DesignedLook::None, 0},
    {"lbl6", DesignedKind::Label, "frmCambio", 4200, 4800, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lbl5", DesignedKind::Label, "frmCambio", 4200, 3960, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lbl4", DesignedKind::Label, "frmCambio", 4200, 3120, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lbl3", DesignedKind::Label, "frmCambio", 4200, 2280, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lbl2", DesignedKind::Label, "frmCambio", 4200, 1440, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lbl1", DesignedKind::Label, "frmCambio", 4200, 720, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lblRap", DesignedKind::Label, "frmCambio", 4200, 240, 1455, 255, "Rapp.Sec./Prim.", DesignedLook::CaptionLabel, 8.25},
    {"lblSec", DesignedKind::Label, "frmCambio", 3000, 240, 495, 255, "Sec.", DesignedLook::CaptionLabel, 8.25},
    {"lblPrim", DesignedKind::Label, "frmCambio", 1920, 240, 495, 255, "Prim.", DesignedLook::CaptionLabel, 8.25},
    {"lblFinale", DesignedKind::Label, "frmCambio", 6000, 5760, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"LblF", DesignedKind::Label, "frmCambio", 6000, 4800, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"LblE", DesignedKind::Label, "frmCambio", 6000, 3960, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"LblD", DesignedKind::Label, "frmCambio", 6000, 3120, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"LblC", DesignedKind::Label, "frmCambio", 6000, 2280, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"LblB", DesignedKind::Label, "frmCambio", 6000, 1440, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lblA", DesignedKind::Label, "frmCambio", 6000, 720, 1215, 255, "", DesignedLook::ResultLabel, 0},
    {"lblRapporto", DesignedKind::Label, "frmCambio", 360, 5760, 1575, 255, "Rapporto Finale", DesignedLook::CaptionLabel, 8.25},
    {"lblVelocità", DesignedKind::Label, "frmCambio", 6000, 240, 1215, 255, "Velocità Km/h", DesignedLook::CaptionLabel, 8.25},
    {"lblSesta", DesignedKind::Label, "frmCambio", 360, 4800, 1095, 255, "6° Marcia", DesignedLook::CaptionLabel, 8.25},
    {"lblQuinta", DesignedKind::Label, "frmCambio", 360, 3960, 1095, 255, "5° Marcia", DesignedLook::CaptionLabel, 8.25},
    {"lblTerza", DesignedKind::Label, "frmCambio", 360, 2280, 855, 255, "3° Marcia", DesignedLook::CaptionLabel, 8.25},
    {"lblQuarta", DesignedKind::Label, "frmCambio", 360, 3120, 855, 255, "4° Marcia", DesignedLook::CaptionLabel, 8.25},
    {"lblseconda", DesignedKind::Label, "frmCambio", 360, 1440, 975, 255, "2° Marcia", DesignedLook::CaptionLabel, 8.25},
    {"lblprima", DesignedKind::Label, "frmCambio", 360, 720, 975, 255, "1° Marcia", DesignedLook::CaptionLabel, 8.25},

    {"txtCorona", DesignedKind::TextBox, "ve", 11040, 240, 1215, 285, "", DesignedLook::UserBox, 0},
    {"txtPignone", DesignedKind::TextBox, "ve", 8040, 240, 1215, 285, "", DesignedLook::UserBox, 0},
    {"txtCirco", DesignedKind::TextBox, "ve", 4080, 600, 1215, 285, "", DesignedLook::UserBox, 0},
    {"txtGiri", DesignedKind::TextBox, "ve", 1200, 360, 1215, 285, "", DesignedLook::UserBox, 0},
    {"LblMotori", DesignedKind::Label, "ve", 10080, 6720, 975, 375, "Motori", DesignedLook::CaptionLabel, 14.25},
    {"Label8", DesignedKind::Label, "ve", 5400, 600, 495, 255, "cm", DesignedLook::CaptionLabel, 8.25},
    {"Label7", DesignedKind::Label, "ve", 2520, 360, 495, 255, "rpm", DesignedLook::CaptionLabel, 8.25},
    {"lblGc", DesignedKind::Label, "ve", 1440, 1800, 1095, 255, "", DesignedLook::ResultLabel, 0},
    {"lblGcambio", DesignedKind::Label, "ve", 240, 1800, 975, 375, "Giri Cambio", DesignedLook::CaptionLabel, 8.25},
    {"lblCor", DesignedKind::Label, "ve", 9600, 960, 1095, 255, "Cor. Primaria", DesignedLook::CaptionLabel, 8.25},
    {"lblPign", DesignedKind::Label, "ve", 6480, 960, 1215, 255, "Pign. Primaria", DesignedLook::CaptionLabel, 8.25},
    {"lblP", DesignedKind::Label, "ve", 1440, 1200, 1095, 255, "", DesignedLook::ResultLabel, 0},
    {"lblPrimaria", DesignedKind::Label, "ve", 240, 1200, 855, 255, "Primaria", DesignedLook::CaptionLabel, 8.25},
    {"lblCirconferenzaGomma", DesignedKind::Label, "ve", 3720, 240, 1935, 255, "Circonferenza Gomma", DesignedLook::CaptionLabel, 8.25},
    {"lblCorona", DesignedKind::Label, "ve", 10080, 240, 615, 255, "Corona", DesignedLook::CaptionLabel, 8.25},
    {"lblPignone", DesignedKind::Label, "ve", 7080, 240, 735, 255, "Pignone", DesignedLook::CaptionLabel, 8.25},
    {"lblgirimotore", DesignedKind::Label, "ve", 240, 240, 855, 495, "Giri Motore", DesignedLook::CaptionLabel, 8.25},
}};

// The controls Tab visits, in order; Tab after the last returns to the first.
inline constexpr std::array<const char *, 28> designedTabStops{
    "txtGiri", "txtCirco", "txtPignone", "txtCorona", "cmdCalcola", "cmdFine", "Txt1",
    "Txt2", "Txt3", "Txt4", "Txt5", "Txt6", "Txt7", "Txt8", "Txt9", "Txt10", "Txt11",
    "Txt12", "Txt13", "Txt14", "Command1", "Command2", "Command3", "Command4", "Command5",
    "Command6", "Command7", "Picture1"};

// The boxes "Calcola Cambio" gives the focus to, one after the other, before it computes.
inline constexpr std::array<const char *, 18> designedFocusSweep{
    "txtGiri", "txtCirco", "txtPignone", "txtCorona", "Txt13", "Txt14", "Txt1", "Txt2", "Txt3",
    "Txt4", "Txt5", "Txt6", "Txt7", "Txt8", "Txt9", "Txt10", "Txt11", "Txt12"};
// clang-format on
