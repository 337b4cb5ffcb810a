#pragma once

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>

class QAbstractButton;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;

// Window positions and sizes are twips, 15 to a pixel.
constexpr int kTwipsPerPixel = 15;
// A damaged value never overflows: it saturates far beyond any screen.
inline int twipsToPixels(double twips)
{
    const double pixels = twips / kTwipsPerPixel;
    return std::isnan(pixels) ? 0 : int(std::clamp(pixels, -1e6, 1e6));
}
inline double pixelsToTwips(int pixels) { return double(pixels) * kTwipsPerPixel; }

// Why a window is being unloaded.
enum class UnloadMode { CloseBox = 0, Code = 1, Shutdown = 4 };

// A dialog's frame: a title, a system menu and a close box, and neither a
// minimise nor a maximise button (without the customise hint the window
// manager would offer both).
inline constexpr Qt::WindowFlags kDialogFrame = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A window of the program. Child windows live in the main window's MDI area;
// dialogs are top-level. Its load handler runs when the registry creates it,
// its unload handlers when the registry unloads it (also from its close box).
class VbForm : public QWidget {
    Q_OBJECT
public:
    explicit VbForm(const QString& name, bool mdiChild = true);

    QString formName() const { return objectName(); }
    bool isMdiChild() const { return mdiChild_; }
    // A window kept for the program's life has no close box.
    bool closable() const { return closable_; }
    void setClosable(bool closable) { closable_ = closable; }
    // A child window without a title bar keeps its designed size; it cannot
    // be moved by the user.
    bool hasTitleBar() const { return titleBar_; }
    void setTitleBar(bool titleBar) { titleBar_ = titleBar; }

    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) { Q_UNUSED(cancel) Q_UNUSED(mode) }
    virtual void Form_Unload(bool& cancel) { Q_UNUSED(cancel) }

    // Shows the window; modal shows return once it is closed.
    void Show(bool modal = false);
    void Hide();
    // Unloads the window through the registry ("Unload Me").
    void Unload();

    // Outer geometry in twips: within the MDI area for a child window, on the
    // screen for a dialog.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    // Moving a dialog keeps it where it is put when shown.
    void Move(double left, double top);
    // Size of the client area in twips.
    void setClientSizeTwips(double width, double height);

    // Where this window can be seen, in the coordinates of its position: the
    // visible part of the main window's MDI area for a child window, the
    // screen's work area for a dialog. Empty while the MDI area is not shown.
    QRect visibleArea() const;
    // Moves the window inside its visible area when it lies partly outside;
    // one larger than the area keeps its top left corner (its title) in view.
    void keepVisible();

    // The keys of a dialog: Enter presses the focused push button, else the
    // default one; Escape runs the cancel action (a button, or closing the
    // window as its close box does).
    void setDefaultButton(QPushButton* button);
    void setCancelButton(QAbstractButton* button);
    void setCancelAction(std::function<void()> action) { cancel_ = std::move(action); }

    // An instrument face (an SVG resource) painted under the controls.
    void setFacePicture(const QString& resource);
    // The small print of instrument panels.
    void usePanelFont(double points = 7.5);

    // The widget that carries the position: the MDI sub-window, or the form.
    QWidget* frame() const;
    void attachFrame(QMdiSubWindow* frame);

Q_SIGNALS:
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class FormRegistry;
    bool mdiChild_;
    bool closable_ = true;
    bool titleBar_ = true;
    bool unloading_ = false;
    bool placed_ = false;
    // Held as a widget: the frame is still compared while it is being
    // destroyed, when it is no longer a QMdiSubWindow.
    QPointer<QWidget> frame_;
    QPointer<QPushButton> default_;
    std::function<void()> cancel_;
    class QSvgRenderer* face_ = nullptr;
    QPixmap faceCache_; // the face rendered at the window's size
};

// The top left corner that puts the box inside the area, moving it as little
// as possible; a box larger than the area is aligned on its top left corner.
QPoint placeInside(const QRect& box, const QRect& area);

// Every window is reached through this registry: get creates it and runs its
// load handler, isLoaded creates nothing, unload runs its unload handlers and
// destroys it.
class FormRegistry {
public:
    static FormRegistry& instance();

    void setMdiArea(QMdiArea* area) { mdiArea_ = area; }
    QMdiArea* mdiArea() const { return mdiArea_; }

    template <class T, class... Args>
    T* get(const QString& name, Args&&... args)
    {
        if (VbForm* existing = find(name))
            return dynamic_cast<T*>(existing); // nullptr: that name is another window

        T* form = new T(std::forward<Args>(args)...);
        add(form, name);
        return form;
    }
    template <class T>
    T* get()
    {
        return get<T>(QString::fromLatin1(T::kNom));
    }

    VbForm* find(const QString& name) const;
    // The window of that class when it is loaded; creates nothing.
    template <class T>
    T* find() const
    {
        return dynamic_cast<T*>(find(QString::fromLatin1(T::kNom)));
    }
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }

    // How a window that another layer's window places itself by is made:
    // the program says so once at start-up (no window is opened then).
    // open() gives that window, loading it first if it is not yet; nullptr
    // for a window nobody said how to make.
    void setOpener(const QString& name, std::function<VbForm*()> opener);
    VbForm* open(const QString& name);

    // Returns false when a handler cancelled the unload.
    bool unload(const QString& name, UnloadMode mode = UnloadMode::Code);
    // Unloads every window (shutdown); handlers cannot cancel.
    void unloadAll();
    QStringList loadedNames() const;

private:
    void add(VbForm* form, const QString& name);

    QMdiArea* mdiArea_ = nullptr;
    QHash<QString, std::function<VbForm*()>> openers_;
    // Held as widgets: a window met while it is being destroyed is no
    // longer a VbForm, and find() gives nullptr for it.
    QHash<QString, QPointer<QWidget>> forms_;
    QStringList order_;
};

inline FormRegistry& Forms() { return FormRegistry::instance(); }
