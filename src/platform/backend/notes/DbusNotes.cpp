#include "platform/backend/notes/DbusNotes.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

#include <dbus/dbus.h>

namespace tovrel {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr int kReplyTimeoutMs = 1000;

struct TConnectionClose {
    void operator()(DBusConnection* c) const
    {
        dbus_connection_close(c);
        dbus_connection_unref(c);
    }
};
struct TMessageUnref {
    void operator()(DBusMessage* m) const { dbus_message_unref(m); }
};
using TConnection = std::unique_ptr<DBusConnection, TConnectionClose>;
using TMessage = std::unique_ptr<DBusMessage, TMessageUnref>;

// Only an existing session bus: never one started for the note.
TConnection SessionBus()
{
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        return nullptr;
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* c = dbus_bus_get_private(DBUS_BUS_SESSION, &error);
    dbus_error_free(&error);
    if (c)
        dbus_connection_set_exit_on_disconnect(c, FALSE);
    return TConnection(c);
}

const char* IconName(DWORD kind)
{
    switch (kind) {
    case 1: return "dialog-information";
    case 2: return "dialog-warning";
    case 3: return "dialog-error";
    default: return "";
    }
}

TMessage Call(DBusConnection* c, DBusMessage* m)
{
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(c, m, kReplyTimeoutMs, &error);
    dbus_error_free(&error);
    return TMessage(reply);
}

bool Close(DBusConnection* c, std::uint32_t id)
{
    TMessage m(dbus_message_new_method_call(kService, kPath, kService, "CloseNotification"));
    if (!m || !dbus_message_append_args(m.get(), DBUS_TYPE_UINT32, &id, DBUS_TYPE_INVALID))
        return false;
    return Call(c, m.get()) != nullptr;
}

bool Notify(DBusConnection* c, std::uint32_t& id, const std::string& title, const std::string& text, DWORD kind)
{
    TMessage m(dbus_message_new_method_call(kService, kPath, kService, "Notify"));
    if (!m)
        return false;
    const char* app = "Tovrel";
    const char* icon = IconName(kind);
    const char* summary = title.c_str();
    const char* body = text.c_str();
    const std::int32_t expire = -1;
    DBusMessageIter args, array;
    dbus_message_iter_init_append(m.get(), &args);
    bool built = dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &app) &&
                 dbus_message_iter_append_basic(&args, DBUS_TYPE_UINT32, &id) &&
                 dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &icon) &&
                 dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &summary) &&
                 dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &body);
    // No actions, no hints.
    built = built && dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "s", &array) &&
            dbus_message_iter_close_container(&args, &array);
    built = built && dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "{sv}", &array) &&
            dbus_message_iter_close_container(&args, &array);
    built = built && dbus_message_iter_append_basic(&args, DBUS_TYPE_INT32, &expire);
    if (!built)
        return false;
    TMessage reply = Call(c, m.get());
    if (!reply)
        return false;
    DBusError error;
    dbus_error_init(&error);
    std::uint32_t shown = 0;
    if (dbus_message_get_args(reply.get(), &error, DBUS_TYPE_UINT32, &shown, DBUS_TYPE_INVALID))
        id = shown;
    dbus_error_free(&error);
    return true;
}

} // namespace

TX11Tray::TNoteSender DbusNoteSender()
{
    // The note shown last, replaced by the next one and taken away by an empty one.
    auto last = std::make_shared<std::uint32_t>(0);
    return [last](const std::string& Title, const std::string& Text, DWORD Kind) {
        TConnection bus = SessionBus();
        if (!bus)
            return false;
        if (Text.empty()) {
            const bool closed = *last == 0 || Close(bus.get(), *last);
            *last = 0;
            return closed;
        }
        return Notify(bus.get(), *last, Title, Text, Kind);
    };
}

} // namespace tovrel
