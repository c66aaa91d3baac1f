// Tray notes as desktop notifications, on a session bus of the test's own
// (x11_tray.sh runs it under dbus-run-session) with a scripted service.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend/notes/DbusNotes.h"

#include <dbus/dbus.h>

namespace tovrel::test {

namespace {

// Answers Notify with id 42 and records what it was sent.
class TNotificationService {
public:
    TNotificationService()
    {
        connection_ = dbus_bus_get_private(DBUS_BUS_SESSION, nullptr);
        if (connection_)
            owned_ = dbus_bus_request_name(connection_, "org.freedesktop.Notifications", DBUS_NAME_FLAG_DO_NOT_QUEUE,
                                           nullptr) == DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER;
        if (owned_)
            thread_ = std::thread([this] { Serve(); });
    }
    ~TNotificationService()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (connection_) {
            dbus_connection_close(connection_);
            dbus_connection_unref(connection_);
        }
    }
    bool Running() const { return owned_; }
    std::vector<std::string> Calls()
    {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    void Serve()
    {
        while (!stop_) {
            dbus_connection_read_write(connection_, 50);
            while (DBusMessage* m = dbus_connection_pop_message(connection_)) {
                Answer(m);
                dbus_message_unref(m);
            }
        }
    }
    void Answer(DBusMessage* m)
    {
        const char* iface = "org.freedesktop.Notifications";
        std::string call;
        if (dbus_message_is_method_call(m, iface, "Notify")) {
            DBusMessageIter it;
            dbus_message_iter_init(m, &it);
            const char* text[5] = {};
            std::uint32_t replaces = 0;
            for (int i = 0; i < 5; ++i, dbus_message_iter_next(&it))
                dbus_message_iter_get_basic(&it, i == 1 ? static_cast<void*>(&replaces) : &text[i]);
            call = "Notify " + std::to_string(replaces) + " " + text[3] + " | " + text[4];
        } else if (dbus_message_is_method_call(m, iface, "CloseNotification")) {
            std::uint32_t id = 0;
            dbus_message_get_args(m, nullptr, DBUS_TYPE_UINT32, &id, DBUS_TYPE_INVALID);
            call = "Close " + std::to_string(id);
        } else {
            return;
        }
        {
            std::lock_guard lock(mutex_);
            calls_.push_back(call);
        }
        DBusMessage* reply = dbus_message_new_method_return(m);
        if (call.starts_with("Notify")) {
            const std::uint32_t id = 42;
            dbus_message_append_args(reply, DBUS_TYPE_UINT32, &id, DBUS_TYPE_INVALID);
        }
        dbus_connection_send(connection_, reply, nullptr);
        dbus_connection_flush(connection_);
        dbus_message_unref(reply);
    }

    DBusConnection* connection_ = nullptr;
    bool owned_ = false;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> calls_;
};

} // namespace

TEST(DbusNotesTest, NotesGoToTheServiceAndFailWithoutOne)
{
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!bus)
        GTEST_SKIP() << "needs a session bus (x11_tray.sh)";
    auto send = DbusNoteSender();
    EXPECT_FALSE(send("Title", "no service yet", 1));
    {
        TNotificationService service;
        ASSERT_TRUE(service.Running());
        EXPECT_TRUE(send("Done", "3 files converted", 1));
        EXPECT_TRUE(send("Done", "4 files converted", 1));
        EXPECT_TRUE(send("", "", 0)) << "an empty note takes the last one away";
        EXPECT_EQ((std::vector<std::string>{"Notify 0 Done | 3 files converted", "Notify 42 Done | 4 files converted",
                                            "Close 42"}),
                  service.Calls());
    }
    // No bus at all: nothing is started for the note.
    const std::string saved = bus;
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_FALSE(send("Title", "no bus", 1));
    setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1);
}

} // namespace tovrel::test
