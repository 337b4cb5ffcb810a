#include "platform/FormDesign.h"

#include "platform/Forms.h"
#include "platform/ImageBox.h"
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
#include <QSlider>
#include <QTabWidget>
#include <QIcon>
#include <QToolButton>

QString controlName(const char* name, int index)
{
    const QString base = QString::fromUtf8(name);
    return index < 0 ? base : QStringLiteral("%1(%2)").arg(base).arg(index);
}

namespace {

// A dark cap standing out of the panel; pressed in while on.
const char kPowerButtonLook[] =
    "QToolButton { color: #f2f2ee; font-weight: bold;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6a6d70, stop:1 #34363a);"
    " border: 1px solid #141516; border-bottom: 3px solid #0c0c0d; border-radius: 4px; }"
    "QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7a7d80, stop:1 #3e4044); }"
    "QToolButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #26282a, stop:1 #45484b);"
    " border-top: 3px solid #0c0c0d; border-bottom: 1px solid #141516; }";

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
    case ControlKind::CheckBox: return new QCheckBox(caption(c.caption), parent);
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
    case ControlKind::Slider: return new QSlider(Qt::Horizontal, parent);
    case ControlKind::PowerButton: {
        auto* button = new QToolButton(parent);
        button->setCheckable(true);
        button->setText(caption(c.caption));
        button->setStyleSheet(QString::fromLatin1(kPowerButtonLook));
        return button;
    }
    case ControlKind::Toggle: {
        auto* button = new QToolButton(parent);
        button->setCheckable(true);
        const QString text = caption(c.caption);
        if (text.startsWith(QLatin1String(":/")))
            button->setIcon(QIcon(text));
        else
            button->setText(text);
        return button;
    }
    case ControlKind::VerticalSlider: {
        auto* slider = new QSlider(Qt::Vertical, parent);
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
