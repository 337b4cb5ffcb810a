#include "platform/FormDesign.h"

#include "platform/Forms.h"
#include "platform/ImageBox.h"
#include "platform/PanelBarGraph.h"
#include "platform/PanelSlider.h"
#include "platform/PictureBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/SevenSegmentLabel.h"
#include "platform/Shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QProgressBar>
#include <QTabWidget>
#include <QIcon>
#include <QToolButton>

QString controlName(const char* name, int index)
{
    const QString base = QString::fromUtf8(name);
    return index < 0 ? base : QStringLiteral("%1(%2)").arg(base).arg(index);
}

namespace {

// A push button's cap standing out of the panel, a ledge below it; pressed
// in (and held in while on) the ledge moves above it and the face darkens.
struct CapColours {
    const char* text;
    const char* top;
    const char* bottom;
    const char* hoverTop;
    const char* hoverBottom;
    const char* inTop;
    const char* inBottom;
    const char* edge;
    const char* ledge;
};

// The power switch: a dark cap.
constexpr CapColours kPowerCap{"#f2f2ee", "#6a6d70", "#34363a", "#7a7d80", "#3e4044",
                               "#26282a", "#45484b", "#141516", "#0c0c0d"};
// The panel's small push buttons: a light grey cap.
constexpr CapColours kPanelCap{"#1c1c1c", "#fbfbf6", "#c4c5bf", "#ffffff", "#d2d3cd",
                               "#a9aaa4", "#d4d5cf", "#3c3d40", "#222325"};

QString capLook(const char* widget, const CapColours& c)
{
    const QString face = QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)");
    const QString w = QString::fromLatin1(widget);
    return QStringLiteral("%1 { color: %2; font-weight: bold; background: %3; padding: 0px;"
                          " border: 1px solid %4; border-bottom: 3px solid %5; border-radius: 3px; }"
                          "%1:hover { background: %6; }"
                          "%1:pressed, %1:checked { background: %7; border-top: 3px solid %5; border-bottom: 1px solid %4; }"
                          "%1:disabled { color: #8a8a86; }")
        .arg(w, QLatin1String(c.text), face.arg(QLatin1String(c.top), QLatin1String(c.bottom)),
             QLatin1String(c.edge), QLatin1String(c.ledge),
             face.arg(QLatin1String(c.hoverTop), QLatin1String(c.hoverBottom)),
             face.arg(QLatin1String(c.inTop), QLatin1String(c.inBottom)));
}

// A check box as the panel's switch: a light cap that, pressed in, shows
// a green lit window.
QString switchLook()
{
    return QStringLiteral(
        "QCheckBox { spacing: 4px; font-weight: bold; }"
        "QCheckBox::indicator { width: 12px; height: 18px; border: 1px solid #3c3d40;"
        " border-bottom: 3px solid #222325; border-radius: 3px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfbf6, stop:1 #c4c5bf); }"
        "QCheckBox::indicator:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d2d3cd); }"
        "QCheckBox::indicator:checked { border-top: 3px solid #222325; border-bottom: 1px solid #3c3d40;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #a9aaa4, stop:0.3 #c4c5bf,"
        " stop:0.31 #2f3a30, stop:0.34 #48f060, stop:0.66 #30c048, stop:0.69 #2f3a30, stop:0.7 #c4c5bf, stop:1 #d4d5cf); }");
}

QString caption(const char* text)
{
    // Captions hold CR LF line breaks; Qt breaks lines on LF.
    return QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QWidget* create(const ControlDesign& c, QWidget* parent)
{
    switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::AutoSizeLabel: {
        auto* label = new QLabel(caption(c.caption), parent);
        label->setWordWrap(c.kind == ControlKind::Label);
        return label;
    }
    case ControlKind::Button: return new QPushButton(caption(c.caption), parent);
    case ControlKind::PanelButton: {
        auto* button = new QPushButton(caption(c.caption), parent);
        button->setStyleSheet(capLook("QPushButton", kPanelCap));
        return button;
    }
    case ControlKind::CheckBox: return new QCheckBox(caption(c.caption), parent);
    case ControlKind::PanelSwitch: {
        auto* box = new QCheckBox(caption(c.caption), parent);
        box->setStyleSheet(switchLook());
        return box;
    }
    case ControlKind::OptionButton: return new QRadioButton(caption(c.caption), parent);
    case ControlKind::TextBox: {
        auto* edit = new QLineEdit(parent);
        edit->setText(caption(c.caption));
        return edit;
    }
    case ControlKind::Frame: return new QGroupBox(caption(c.caption), parent);
    case ControlKind::Shape: return new Shape(parent);
    case ControlKind::Picture: return new PictureBox(parent);
    case ControlKind::ComboBox: return new QComboBox(parent);
    case ControlKind::ListBox: return new QListWidget(parent);
    case ControlKind::Knob: {
        auto* knob = new Potentio_Creme(parent);
        knob->setIndex(c.index);
        return knob;
    }
    case ControlKind::Image: {
        auto* image = new ImageBox(parent);
        image->setPicture(QString::fromUtf8(c.caption));
        return image;
    }
    case ControlKind::Digits: {
        auto* digits = new SevenSegmentLabel(parent);
        digits->setText(caption(c.caption));
        return digits;
    }
    case ControlKind::Slider: return new PanelSlider(Qt::Horizontal, parent);
    case ControlKind::PowerButton: {
        auto* button = new QToolButton(parent);
        button->setCheckable(true);
        button->setText(caption(c.caption));
        button->setStyleSheet(capLook("QToolButton", kPowerCap));
        return button;
    }
    case ControlKind::Toggle: {
        auto* button = new QToolButton(parent);
        button->setCheckable(true);
        button->setStyleSheet(capLook("QToolButton", kPanelCap));
        const QString text = caption(c.caption);
        if (text.startsWith(QLatin1String(":/")))
            button->setIcon(QIcon(text));
        else
            button->setText(text);
        return button;
    }
    case ControlKind::VerticalSlider: {
        auto* slider = new PanelSlider(Qt::Vertical, parent);
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
        return slider;
    }
    case ControlKind::Bar: {
        auto* bar = new QProgressBar(parent);
        bar->setOrientation(c.width > c.height ? Qt::Horizontal : Qt::Vertical);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlKind::BarGraph:
        return new PanelBarGraph(c.width > c.height ? Qt::Horizontal : Qt::Vertical, parent);
    case ControlKind::Tabs: {
        auto* tabs = new QTabWidget(parent);
        const QStringList titles = caption(c.caption).split(QLatin1Char('|'));
        for (int i = 0; i < titles.size(); ++i) {
            auto* page = new QWidget;
            page->setObjectName(QStringLiteral("%1_page%2").arg(QString::fromUtf8(c.name)).arg(i));
            tabs->addTab(page, titles[i]);
        }
        return tabs;
    }
    }
    return nullptr;
}

} // namespace

void buildForm(QWidget* window, const FormDesign& design)
{
    window->setWindowTitle(QString::fromUtf8(design.caption));
    if (design.clientWidth > 0 && design.clientHeight > 0)
        window->setFixedSize(twipsToPixels(design.clientWidth), twipsToPixels(design.clientHeight));
    buildControls(window, design.controls);
}

QWidget* tabPage(const QWidget* window, const char* name, int page)
{
    return window->findChild<QWidget*>(QStringLiteral("%1_page%2").arg(QString::fromUtf8(name)).arg(page));
}

void buildControls(QWidget* parent, const std::vector<ControlDesign>& controls)
{
    for (const ControlDesign& c : controls) {
        QWidget* w = create(c, parent);
        w->setObjectName(controlName(c.name, c.index));
        if (*c.toolTip)
            w->setToolTip(QString::fromUtf8(c.toolTip));
        if (c.kind == ControlKind::AutoSizeLabel)
            w->adjustSize();
        else
            w->resize(twipsToPixels(c.width), twipsToPixels(c.height));
        placeTwips(w, c.left, c.top);
        if (!c.visible)
            w->hide();
    }
}

void placeTwips(QWidget* control, double left, double top)
{
    control->move(twipsToPixels(left), twipsToPixels(top));
}

double twipsLeft(const QWidget* control) { return pixelsToTwips(control->x()); }
double twipsTop(const QWidget* control) { return pixelsToTwips(control->y()); }
double twipsWidth(const QWidget* control) { return pixelsToTwips(control->width()); }
double twipsHeight(const QWidget* control) { return pixelsToTwips(control->height()); }
