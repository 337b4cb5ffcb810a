#pragma once

#include <QString>
#include <QWidget>

#include <initializer_list>
#include <vector>

// A window's controls as a table: kind, name (and index for a control
// array), place and size in twips, caption and tooltip. The window's code
// holds only behaviour; each control is found by its name.
enum class ControlKind {
    Label, AutoSizeLabel, Button, CheckBox, OptionButton, TextBox, Frame,
    PanelButton, // an instrument's small push button (a QPushButton)
    PanelSwitch, // an instrument's push switch that stays in while on (a QCheckBox)
    Shape,      // a lamp or a ring (platform/Shape.h)
    Picture,    // a drawing surface (platform/PictureBox.h)
    ComboBox,
    Knob,       // a rotary knob (platform/Potentio_Creme.h); its index is the array index
    Image,      // an SVG picture (platform/ImageBox.h); the caption names the resource
    Digits,     // a seven-segment display label (platform/SevenSegmentLabel.h)
    Slider,     // a horizontal panel slider (platform/PanelSlider.h)
    Toggle,     // a panel push button that stays in or out; the caption may name an SVG resource
    PowerButton, // an instrument's power push button: a toggle that stays in while on
    VerticalSlider, // a vertical panel slider, its minimum at the top
    Bar,        // a level bar (a progress bar), vertical unless wider than high
    Tabs,       // a tab control; the caption lists the tab titles separated by '|'
    ListBox,    // a list of lines (QListWidget), one selected line
    BarGraph,   // an instrument's level bar of lit segments (platform/PanelBarGraph.h), vertical unless wider than high
};

struct ControlDesign {
    ControlKind kind;
    const char* name;
    int index = -1; // -1: not part of a control array
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const char* caption = "";
    const char* toolTip = "";
    bool visible = true;
};

struct FormDesign {
    const char* caption;
    int clientWidth;  // twips; 0 leaves the size to the window
    int clientHeight;
    std::vector<ControlDesign> controls;
};

// "name" or "name(index)": the object name a control carries.
QString controlName(const char* name, int index = -1);

// Creates the table's controls on the window and sets its caption and size.
void buildForm(QWidget* window, const FormDesign& design);
// Creates the controls on a parent (a window, a frame, a tab page).
void buildControls(QWidget* parent, const std::vector<ControlDesign>& controls);
// Page i of a tab control built from a table.
QWidget* tabPage(const QWidget* window, const char* name, int page);

template <class T>
T* control(const QWidget* window, const char* name, int index = -1)
{
    return window->findChild<T*>(controlName(name, index));
}

// Places and sizes a control in twips.
void placeTwips(QWidget* control, double left, double top);
double twipsLeft(const QWidget* control);
double twipsTop(const QWidget* control);
double twipsWidth(const QWidget* control);
double twipsHeight(const QWidget* control);
