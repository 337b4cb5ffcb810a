#include "platform/ExternalWindow.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int kEssais = 50;         // looked for during five seconds
constexpr int kIntervalleMs = 100;

xcb_atom_t atom(xcb_connection_t* c, const char* nom)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(nom)), nom), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

// The 32-bit values of a window's property.
std::vector<uint32_t> propriete(xcb_connection_t* c, xcb_window_t w, xcb_atom_t nom, xcb_atom_t type)
{
    std::vector<uint32_t> valeurs;
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, nom, type, 0, 4096), nullptr);
    if (r && r->format == 32) {
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r));
        valeurs.assign(v, v + xcb_get_property_value_length(r) / 4);
    }
    std::free(r);
    return valeurs;
}

struct Atomes {
    xcb_atom_t clients, pid, deplacer, bords;
};

// The instance name of a window's class (WM_CLASS).
QByteArray instance(xcb_connection_t* c, xcb_window_t w)
{
    QByteArray nom;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr);
    if (r && r->format == 8)
        nom = QByteArray(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    std::free(r);
    return nom.left(nom.indexOf('\0'));
}

// A client that came after the start and is the process's: by its process
// id, or, for a program that gives none, by its class's instance name.
std::optional<xcb_window_t> fenetreDuProcessus(xcb_connection_t* c, xcb_window_t racine, const Atomes& a,
                                               qint64 pid, const QByteArray& programme,
                                               const std::vector<uint32_t>& avant)
{
    for (uint32_t w : propriete(c, racine, a.clients, XCB_ATOM_WINDOW)) {
        if (std::find(avant.begin(), avant.end(), w) != avant.end())
            continue;
        const std::vector<uint32_t> p = propriete(c, w, a.pid, XCB_ATOM_CARDINAL);
        if (p.empty() ? instance(c, w) == programme : qint64(p.front()) == pid)
            return w;
    }
    return std::nullopt;
}

// Asks the window manager to move the window, its frame's top left corner
// at the place (EWMH _NET_MOVERESIZE_WINDOW, north-west gravity, from a
// tool acting for the user).
void deplacer(xcb_connection_t* c, xcb_window_t racine, const Atomes& a, xcb_window_t w, QPoint coin)
{
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = w;
    m.type = a.deplacer;
    m.data.data32[0] = 1 /* north-west */ | (1 << 8) | (1 << 9) /* x and y */ | (2 << 12) /* a tool */;
    m.data.data32[1] = uint32_t(coin.x());
    m.data.data32[2] = uint32_t(coin.y());
    xcb_send_event(c, 0, racine, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&m));
    xcb_flush(c);
}

} // namespace

void moveWindowOfProcess(QObject* owner, qint64 pid, const QString& program,
                         std::function<QPoint(const QSize&)> place)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || pid <= 0)
        return;
    xcb_connection_t* c = x11->connection();
    const xcb_window_t racine = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const Atomes atomes{atom(c, "_NET_CLIENT_LIST"), atom(c, "_NET_WM_PID"), atom(c, "_NET_MOVERESIZE_WINDOW"),
                        atom(c, "_NET_FRAME_EXTENTS")};
    const QByteArray programme = QFileInfo(program).fileName().toLocal8Bit();
    const std::vector<uint32_t> avant = propriete(c, racine, atomes.clients, XCB_ATOM_WINDOW);
    auto* minuterie = new QTimer(owner);
    minuterie->setInterval(kIntervalleMs);
    auto essais = std::make_shared<int>(0);
    QObject::connect(minuterie, &QTimer::timeout, minuterie, [=] {
        if (++*essais > kEssais) {
            minuterie->deleteLater();
            return;
        }
        const std::optional<xcb_window_t> w = fenetreDuProcessus(c, racine, atomes, pid, programme, avant);
        if (!w)
            return;
        minuterie->deleteLater();
        xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, *w), nullptr);
        if (!g)
            return;
        QSize taille(g->width, g->height);
        std::free(g);
        if (const std::vector<uint32_t> b = propriete(c, *w, atomes.bords, XCB_ATOM_CARDINAL); b.size() == 4)
            taille += QSize(int(b[0] + b[1]), int(b[2] + b[3]));
        // Screen coordinates are device pixels for the X server.
        const qreal echelle = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1;
        const QPoint coin = place(taille / echelle) * echelle;
        deplacer(c, racine, atomes, *w, coin);
    });
    minuterie->start();
}
