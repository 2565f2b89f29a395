#include "notify/reminder_bubble.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

#include "notify/notification_body.h"

namespace velorine::notify {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// The reminder window's own words.
const QString kSummary = QStringLiteral("Des Velorine approchent !!");
const QString kOpenKey = QStringLiteral("default");  // the key of a click on the bubble itself

struct AnswerAction {
    const char* key;
    const char* label;
    reminders::ReminderAnswer answer;
};
constexpr AnswerAction kAnswers[] = {
    {"oui", "Oui", reminders::ReminderAnswer::KeepReminding},
    {"non", "Non", reminders::ReminderAnswer::NotBeforeNextBirthday},
    {"demain", "Demain", reminders::ReminderAnswer::QuietUntilTomorrow},
};

QStringList actions() {
    QStringList list = {kOpenKey, QStringLiteral("Voir les rappels")};
    for (const AnswerAction& action : kAnswers)
        list << QString::fromUtf8(action.key) << QString::fromUtf8(action.label);
    return list;
}

// As long as the server keeps every notification.
constexpr int kServerDefaultTimeout = -1;

// Ties the notification to the program's menu entry, whose name and icon the server may show.
QVariantMap hints() { return {{QStringLiteral("desktop-entry"), QStringLiteral("velorine")}}; }

}  // namespace

ReminderBubble::ReminderBubble(QDBusConnection bus, std::vector<std::string> lines, KeptNotification kept)
    : bus_(std::move(bus)), lines_(std::move(lines)), kept_(std::move(kept)) {}

QDBusPendingCallWatcher* ReminderBubble::callServer(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    return new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
}

void ReminderBubble::show() {
    // A server the bus starts on demand is started by this first call.
    connect(callServer(QStringLiteral("GetCapabilities"), {}), &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QStringList> reply = *call;
                if (reply.isError()) return end(BubbleEnd::Unavailable);
                capabilitiesKnown(reply.value());
            });
}

void ReminderBubble::capabilitiesKnown(const QStringList& capabilities) {
    // Without actions a bubble could not be answered: the window asks instead.
    if (!capabilities.contains(QStringLiteral("actions"))) return end(BubbleEnd::Unavailable);
    markup_ = capabilities.contains(QStringLiteral("body-markup"));
    const QDBusReply<QString> owner = bus_.interface()->serviceOwner(kService);
    if (!owner.isValid()) return end(BubbleEnd::Unavailable);
    server_ = owner.value();
    takeTheBusNameOver();
    watchServer();
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onNotificationClosed(uint, uint)));

    connect(callServer(QStringLiteral("Notify"),
                       {QStringLiteral("Velorine"), kept_.toReplaceOn(server_), QStringLiteral("velorine"), kSummary,
                        notificationBody(lines_, markup_), actions(), hints(), kServerDefaultTimeout}),
            &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<uint> reply = *call;
                if (reply.isError()) return end(BubbleEnd::Unavailable);
                shown(reply.value());
            });
}

void ReminderBubble::takeTheBusNameOver() {
    const QString name = QString::fromLatin1(kBubbleBusName);
    // Whoever held it lets it go (each start allows it) and ends; this start owns the notification now.
    bus_.interface()->registerService(name, QDBusConnectionInterface::ReplaceExistingService,
                                      QDBusConnectionInterface::AllowReplacement);
    auto* watcher = new QDBusServiceWatcher(name, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner != bus_.baseService()) end(BubbleEnd::Replaced);
            });
}

void ReminderBubble::watchServer() {
    auto* watcher = new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner != server_) end(BubbleEnd::ServerGone);
            });
}

void ReminderBubble::shown(unsigned id) {
    id_ = id;
    if (!ended_) kept_.keep(id_, server_);
}

void ReminderBubble::onActionInvoked(uint id, const QString& key) {
    if (id_ == 0 || id != id_) return;
    if (key == kOpenKey) return end(BubbleEnd::Opened);
    for (const AnswerAction& action : kAnswers) {
        if (key != QLatin1String(action.key)) continue;
        answer_ = action.answer;
        return end(BubbleEnd::Answered);
    }
}

void ReminderBubble::onNotificationClosed(uint id, uint) {
    if (id_ != 0 && id == id_) end(BubbleEnd::Dismissed);
}

void ReminderBubble::end(BubbleEnd end) {
    if (ended_) return;
    ended_ = true;
    // Gone with its answer, its closing or its server: nothing is left to replace. A later start
    // that took it over keeps its own.
    if (id_ != 0 && end != BubbleEnd::Replaced) kept_.forget(id_, server_);
    emit finished(end);
}

void ReminderBubble::callServer(const QString& method, const QVariantList& arguments, std::function<void()> done) {
    connect(callServer(method, arguments), &QDBusPendingCallWatcher::finished, this,
            [done = std::move(done)](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                done();
            });
}

void ReminderBubble::withdraw(std::function<void()> done) {
    callServer(QStringLiteral("CloseNotification"), {id_}, std::move(done));
}

void ReminderBubble::showMessageInstead(const QString& summary, const QString& body, std::function<void()> done) {
    callServer(QStringLiteral("Notify"),
               {QStringLiteral("Velorine"), id_, QStringLiteral("velorine"), summary, notificationText(body, markup_),
                QStringList(), hints(), kServerDefaultTimeout},
               std::move(done));
}

}  // namespace velorine::notify
