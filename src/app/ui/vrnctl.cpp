// vrnctl: calls one member of Varnel's automation interface on the session bus (starting the server
// when the bus knows how) and prints what came back, for scripts and host systems.
//
//   vrnctl <Method> [arguments...]   the result (TRUE, FALSE or the text), then the error code and the
//                                    error text, one to a line
//   vrnctl <Property>                the property's value
//   vrnctl <Property> <value>        sets a writable property (ShowErrors TRUE|FALSE, ErrorCode n)
//
// Exit status: 0 for TRUE (and for a text or a property read or set), 1 for FALSE, 2 when the call
// could not be made (no bus, no server, an unknown member or arguments that do not fit).
#include "app/AutomationMembers.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStringList>

#include <climits>
#include <cstdio>
#include <optional>
#include <string>

namespace varnel {
namespace {

constexpr int kExitTrue = 0;
constexpr int kExitFalse = 1;
constexpr int kExitNoCall = 2;
// Long sends and compares answer when they are done, however long that takes.
constexpr int kNoTimeout = INT_MAX;

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

int Refuse(const QString& why)
{
    std::fprintf(stderr, "vrnctl: %s\n", qPrintable(why));
    return kExitNoCall;
}

void PrintUsage()
{
    std::fprintf(stderr, "usage: vrnctl <Method> [arguments...] | vrnctl <Property> [value]\nmethods:\n");
    for (const AutomationMethod& method : kAutomationMethods)
        std::fprintf(stderr, "  %s(%s)\n", std::string(method.name).c_str(), std::string(method.arguments).c_str());
    std::fprintf(stderr, "properties:\n");
    for (const AutomationProperty& property : kAutomationProperties)
        std::fprintf(stderr, "  %s%s\n", std::string(property.name).c_str(), property.writable ? "" : " (read only)");
    std::fprintf(stderr, "types: s text, n 16-bit number, i 32-bit number, b TRUE or FALSE\n");
}

// A word as an argument of the D-Bus type; none when it does not fit.
std::optional<QVariant> Argument(char type, const QString& word)
{
    bool ok = false;
    switch (type) {
    case 's': return QVariant(word);
    case 'n': {
        const int value = word.toInt(&ok);
        if (!ok || value < SHRT_MIN || value > SHRT_MAX) return std::nullopt;
        return QVariant::fromValue(static_cast<short>(value));
    }
    case 'i': {
        const int value = word.toInt(&ok);
        if (!ok) return std::nullopt;
        return QVariant(value);
    }
    case 'b':
        if (word.compare("TRUE", Qt::CaseInsensitive) == 0 || word == "1") return QVariant(true);
        if (word.compare("FALSE", Qt::CaseInsensitive) == 0 || word == "0") return QVariant(false);
        return std::nullopt;
    default: return std::nullopt;
    }
}

QString Shown(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? "TRUE" : "FALSE";
    return value.toString();
}

QDBusMessage Call(QDBusConnection& bus, const QString& interface, const QString& member, const QVariantList& arguments)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(Text(kAutomationService), Text(kAutomationObject), interface, member);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, kNoTimeout);
}

QDBusMessage CallProperties(QDBusConnection& bus, const char* member, const QVariantList& arguments)
{
    return Call(bus, "org.freedesktop.DBus.Properties", member, arguments);
}

bool Failed(const QDBusMessage& reply) { return reply.type() != QDBusMessage::ReplyMessage; }

int RefuseReply(const QDBusMessage& reply) { return Refuse(reply.errorName() + ": " + reply.errorMessage()); }

int UseProperty(QDBusConnection& bus, const AutomationProperty& property, const QStringList& words)
{
    const QString interface = Text(kAutomationInterface);
    const QString name = Text(property.name);
    if (words.isEmpty()) {
        const QDBusMessage reply = CallProperties(bus, "Get", {interface, name});
        if (Failed(reply)) return RefuseReply(reply);
        std::printf("%s\n", qPrintable(Shown(reply.arguments().value(0).value<QDBusVariant>().variant())));
        return kExitTrue;
    }
    if (!property.writable) return Refuse(name + " is read only");
    if (words.size() != 1) return Refuse(name + " takes one value");
    const std::optional<QVariant> value = Argument(property.type.front(), words.front());
    if (!value) return Refuse("\"" + words.front() + "\" is not a value of " + name);
    const QDBusMessage reply = CallProperties(bus, "Set", {interface, name, QVariant::fromValue(QDBusVariant(*value))});
    return Failed(reply) ? RefuseReply(reply) : kExitTrue;
}

int CallMethod(QDBusConnection& bus, const AutomationMethod& method, const QStringList& words)
{
    const QString name = Text(method.name);
    if (words.size() != static_cast<qsizetype>(method.arguments.size()))
        return Refuse(name + " takes " + QString::number(method.arguments.size()) + " argument(s) of the types \"" +
                      Text(method.arguments) + "\"");
    QVariantList arguments;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const std::optional<QVariant> argument = Argument(method.arguments[static_cast<std::size_t>(i)], words[i]);
        if (!argument) return Refuse("argument " + QString::number(i + 1) + " of " + name + ", \"" + words[i] +
                                     "\", is not of the type " + QChar(method.arguments[static_cast<std::size_t>(i)]));
        arguments.push_back(*argument);
    }
    const QDBusMessage reply = Call(bus, Text(kAutomationInterface), name, arguments);
    if (Failed(reply)) return RefuseReply(reply);
    const QVariant result = reply.arguments().value(0);

    // The code and the text the call left (read after it, as any client of the interface reads them).
    const QDBusMessage code = CallProperties(bus, "Get", {Text(kAutomationInterface), "ErrorCode"});
    if (Failed(code)) return RefuseReply(code);
    QString text = result.toString();
    if (method.name != "GetErrorMessage") {
        const QDBusMessage message = Call(bus, Text(kAutomationInterface), "GetErrorMessage", {});
        if (Failed(message)) return RefuseReply(message);
        text = message.arguments().value(0).toString();
    }
    std::printf("%s\n%d\n%s\n", qPrintable(Shown(result)), code.arguments().value(0).value<QDBusVariant>().variant().toInt(),
                qPrintable(text));
    return result.typeId() == QMetaType::Bool && !result.toBool() ? kExitFalse : kExitTrue;
}

}  // namespace
}  // namespace varnel

int main(int argc, char** argv)
{
    using namespace varnel;
    const QCoreApplication application(argc, argv);
    const QStringList words = QCoreApplication::arguments().mid(1);
    if (words.isEmpty() || words.front() == "--help") {
        PrintUsage();
        return kExitNoCall;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return Refuse("no session bus: " + bus.lastError().message());
    const std::string member = words.front().toStdString();
    if (const auto method = FindAutomationMethod(member)) return CallMethod(bus, *method, words.mid(1));
    if (const auto property = FindAutomationProperty(member)) return UseProperty(bus, *property, words.mid(1));
    PrintUsage();
    return Refuse(words.front() + " is not a member of the automation interface");
}
