// The automation server as other programs meet it: a private session bus of the test's own, which
// starts the real vrn3 --automation through the service file and launcher the user gets, in a site
// of the test's own whose link reaches a simulated scale on loopback TCP; the calls are made with the
// client vrnctl and with two or three bus connections of the test.
#include "AutomationSite.h"
#include "SimulatedSite.h"
#include "app/AutomationMembers.h"
#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/Vrn3Doc.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "support/InstalledFrameRoles.h"
#include "support/TempDir.h"
#include "support/ui/GuiTest.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace varnel::test {
namespace {

const QString kService = "com.norvik.Varnel";
const QString kObject = "/Document";
const QString kInterface = "com.norvik.Varnel.Automation";

QString QtType(char type)
{
    switch (type) {
    case 's': return "QString";
    case 'n': return "short";
    case 'i': return "int";
    case 'b': return "bool";
    default: return "?";
    }
}

// A 16-bit argument (a plain number would go as a 32-bit one).
QVariant Short(int value) { return QVariant::fromValue(static_cast<short>(value)); }

// What a run of the client printed and its exit status.
struct ClientRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

class AutomationProgramTest : public GuiTest {
protected:
    AutomationProgramTest()
    {
        std::filesystem::create_directories(Site());
        std::filesystem::create_directories(m_dir.File("config"));
        // The service file the user gets from scripts/setup, in the bus's own search path.
        const std::string services = m_dir.File("data/dbus-1/services");
        std::filesystem::create_directories(services);
        std::string service = ReadWholeFile(VARNEL_SOURCE_DIR "/share/dbus-1/services/com.norvik.Varnel.service.in");
        service.replace(service.find("@LAUNCHER@"), 10, VARNEL_SOURCE_DIR "/scripts/automation");
        WriteWholeFile(services + "/com.norvik.Varnel.service", service);

        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert("XDG_DATA_HOME", QString::fromStdString(m_dir.File("data")));
        m_environment.insert("XDG_CONFIG_HOME", QString::fromStdString(m_dir.File("config")));
        m_environment.insert("VARNEL_VRN3", VARNEL_PROGRAM);
        m_environment.remove("DBUS_SESSION_BUS_ADDRESS");
        m_bus.setProcessEnvironment(m_environment);
        // The server's own complaints (it is the bus's child) reach the test's output.
        m_bus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        EXPECT_TRUE(m_bus.waitForStarted(10000));
        EXPECT_TRUE(m_bus.waitForReadyRead(10000));
        m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
        m_environment.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
    }
    ~AutomationProgramTest() override
    {
        StopServer();
        for (const QString& name : m_connections) QDBusConnection::disconnectFromBus(name);
        m_bus.terminate();
        m_bus.waitForFinished(10000);
    }

    std::string Site() const { return m_dir.File("data/Norvik/Varnel"); }

    // A connection of its own to the private bus.
    QDBusConnection Connect(const QString& name)
    {
        m_connections.push_back(name);
        QDBusConnection connection = QDBusConnection::connectToBus(m_address, name);
        EXPECT_TRUE(connection.isConnected()) << connection.lastError().message().toStdString();
        return connection;
    }
    std::unique_ptr<QDBusInterface> Document(const QDBusConnection& connection)
    {
        auto document = std::make_unique<QDBusInterface>(kService, kObject, kInterface, connection);
        document->setTimeout(120000);
        return document;
    }

    ClientRun RunClient(const QStringList& arguments) const
    {
        QProcess client;
        client.setProcessEnvironment(m_environment);
        client.start(VARNEL_CLIENT, arguments);
        EXPECT_TRUE(client.waitForFinished(120000));
        return {client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1,
                client.readAllStandardOutput().toStdString(), client.readAllStandardError().toStdString()};
    }

    // A site whose link reaches the scale, with the database `Shop.pld` of these PLUs.
    std::string MakeSite(const SimulatedScale& scale, const std::vector<std::uint32_t>& plus)
    {
        CMainFrame site(Site() + "/");
        IMainFrame* previous = SetMainFrame(&site);
        AddPluFieldDefs(site);
        site.GeneralSetup().m_onlineComms = 1;
        site.GeneralSetup().m_usePing = 0;
        site.Links().Add(scale.MakeLink(1, 11, SystemClock(), m_pinger));
        EXPECT_TRUE(site.SaveGeneralSetup(site.GetGeneralSetupPath()));
        EXPECT_TRUE(site.SaveSiteSetup(site.GetSiteSetupPath()));
        SetMainFrame(previous);
        const std::string database = Site() + "/Shop.pld";
        MakePluDatabase(database, plus, SystemClock());
        return database;
    }

    // The unit prices the database file holds, by PLU.
    std::map<std::uint32_t, std::int32_t> StoredPrices(const std::string& database)
    {
        CMainFrame reader(Site() + "/");
        IMainFrame* previous = SetMainFrame(&reader);
        RegisterPluTablesForTests();
        std::map<std::uint32_t, std::int32_t> prices;
        {
            MainFrameModel model(reader);
            CVrn3Doc document(model);
            EXPECT_TRUE(document.OpenDatabaseFile(database));
            KeyCursor cursor = 0;
            while (const auto* row = dynamic_cast<const CPluDefRec*>(document.GetPluTable()->GetNextRecord(cursor)))
                prices[static_cast<std::uint32_t>(cursor - 1)] = row->Get(PluCol::UnitPrice);
            document.CloseDatabase();
        }
        SetMainFrame(previous);
        return prices;
    }

    qint64 ServerPid(const QDBusConnection& connection) const
    {
        const QDBusReply<uint> pid = connection.interface()->servicePid(kService);
        return pid.isValid() ? static_cast<qint64>(pid.value()) : 0;
    }

    // Ends the server as the session does and waits until it is gone.
    void StopServer()
    {
        if (m_connections.empty()) return;
        const qint64 pid = ServerPid(QDBusConnection(m_connections.front()));
        if (pid <= 0) return;
        ::kill(static_cast<pid_t>(pid), SIGTERM);
        const std::string proc = "/proc/" + std::to_string(pid) + "/status";
        for (int wait = 0; wait < 600 && std::filesystem::exists(proc) &&
                           ReadWholeFile(proc).find("State:\tZ") == std::string::npos;
             ++wait)
            QTest::qWait(50);
    }

    TempDir m_dir;
    ScriptedPinger m_pinger;
    QProcess m_bus;
    QString m_address;
    QProcessEnvironment m_environment;
    std::vector<QString> m_connections;
};

TEST_F(AutomationProgramTest, TheBusStartsTheServerOnTheFirstCallAndItServesTheInterfaceAsDeclared)
{
    QDBusConnection connection = Connect("declared");
    const auto document = Document(connection);
    ASSERT_TRUE(document->isValid()) << document->lastError().message().toStdString();

    const QMetaObject& declared = *document->metaObject();
    for (const AutomationMethod& method : kAutomationMethods) {
        QStringList types;
        for (const char type : method.arguments) types << QtType(type);
        const QString signature = QString::fromUtf8(method.name.data(), static_cast<qsizetype>(method.name.size())) +
                                  "(" + types.join(',') + ")";
        const int index = declared.indexOfMethod(signature.toUtf8().constData());
        ASSERT_GE(index, 0) << signature.toStdString();
        EXPECT_EQ(QString(declared.method(index).typeName()), QtType(method.result.front())) << signature.toStdString();
    }
    for (const AutomationProperty& property : kAutomationProperties) {
        const int index = declared.indexOfProperty(std::string(property.name).c_str());
        ASSERT_GE(index, 0) << property.name;
        EXPECT_EQ(QString(declared.property(index).typeName()), QtType(property.type.front())) << property.name;
        EXPECT_EQ(declared.property(index).isWritable(), property.writable) << property.name;
    }

    // The client: result, code and text, and its exit status.
    const ClientRun refused = RunClient({"DatabaseOpen", QString::fromStdString(Site() + "/none.pld")});
    EXPECT_EQ(refused.exitCode, 1) << refused.errors;
    EXPECT_EQ(refused.output, "FALSE\n61216\nFile open error\n");
    const ClientRun closed = RunClient({"DatabaseClose"});
    EXPECT_EQ(closed.exitCode, 0) << closed.errors;
    EXPECT_EQ(closed.output, "TRUE\n0\n\n");
    for (const QStringList& wrong : {QStringList{"SendToScales", "2", "1"}, QStringList{"SendToScales", "40000", "1", "2"},
                                     QStringList{"ShowErrors", "maybe"}, QStringList{"FailedImportPlus", "1"},
                                     QStringList{"Launch"}}) {
        const ClientRun run = RunClient(wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_EQ(run.output, "");
    }
    ASSERT_EQ(RunClient({"ShowErrors", "FALSE"}).exitCode, 0);
    EXPECT_EQ(RunClient({"ShowErrors"}).output, "FALSE\n");

    // A change of ErrorCode is signalled; writing it changes nothing else.
    QDBusInterface properties(kService, kObject, "org.freedesktop.DBus.Properties", connection);
    QSignalSpy changes(&properties, SIGNAL(PropertiesChanged(QString, QVariantMap, QStringList)));
    ASSERT_TRUE(changes.isValid());
    ASSERT_TRUE(document->setProperty("ErrorCode", 42));
    ASSERT_TRUE(changes.wait(10000));
    EXPECT_EQ(changes.front().at(1).toMap().value("ErrorCode").toInt(), 42);
    EXPECT_EQ(RunClient({"ErrorCode"}).output, "42\n");
    // Reading the text clears nothing; the text is the last call's (DatabaseClose's, none).
    EXPECT_EQ(RunClient({"GetErrorMessage"}).output, "\n42\n\n");

    // A second server on the same bus is turned away and ends.
    QProcess second;
    second.setProcessEnvironment(m_environment);
    second.setWorkingDirectory(QString::fromStdString(Site()));
    second.start(VARNEL_PROGRAM, {"--automation"});
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_NE(second.readAllStandardError().indexOf("already runs on this session bus"), -1);
    EXPECT_EQ(RunClient({"DatabaseClose"}).exitCode, 0);
}

TEST_F(AutomationProgramTest, AScriptOpensADatabaseSendsChangesAPriceAndClosesIt)
{
    SimulatedScale scale(Transport::Tcp, nullptr);
    const std::string database = MakeSite(scale, {2, 3, 9});
    Connect("script");
    const QString path = QString::fromStdString(database);

    ClientRun run = RunClient({"DatabaseOpen", path});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    run = RunClient({"SendToScales", "2", "1", "100"});
    EXPECT_EQ(run.output, "TRUE\n0\n\n") << run.errors;
    EXPECT_TRUE(scale.Sim().WaitForPackets(1, 3));
    run = RunClient({"SendToScales", "14", "1", "100"});
    EXPECT_EQ(run.output, "TRUE\n0\n\n") << run.errors;
    EXPECT_TRUE(scale.Sim().WaitForPackets(1, 6));
    // Price change records are shorter than the PLUs' own.
    const std::vector<Bytes> packets = scale.Sim().Packets(1);
    ASSERT_GE(packets.size(), 6u);
    EXPECT_LT(packets[5].size(), packets[2].size());

    run = RunClient({"DeleteRecords", "2", "10", "5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "FALSE\n31510\nInvalid parameter specified\n");
    run = RunClient({"ChangePrice", "3", "555", "0"});
    EXPECT_EQ(run.output, "TRUE\n0\n\n") << run.errors;
    run = RunClient({"DatabaseOpen", path});
    EXPECT_EQ(run.output, "FALSE\n31514\nA database file is already open\n");
    run = RunClient({"LoadSetup", QString::fromStdString(Site() + "/GENSETUP.DEF")});
    EXPECT_EQ(run.output, "FALSE\n31514\nA database file is already open\n");
    // A file that is not there fails at once; one that is fails too while the imports are not built.
    run = RunClient({"ImportTextFileEx", "in.csv", "0", "0", "2", "0", "0", "0", "0", "0"});
    EXPECT_EQ(run.output, "FALSE\n61216\nFile open error\n");
    run = RunClient({"ImportTextFileEx", path, "0", "0", "2", "0", "0", "0", "0", "0"});
    EXPECT_EQ(run.output, "FALSE\n31510\nInvalid parameter specified\n");
    ASSERT_EQ(RunClient({"DatabaseClose"}).exitCode, 0);

    EXPECT_EQ(StoredPrices(database), (std::map<std::uint32_t, std::int32_t>{{2, 200}, {3, 555}, {9, 900}}));
}

TEST_F(AutomationProgramTest, TwoClientsCallingAtOnceAreEachAnsweredAndTheDatabaseStaysConsistent)
{
    SimulatedScale scale(Transport::Tcp, nullptr);
    const std::string database = MakeSite(scale, {2, 3, 9});
    const auto first = Document(Connect("first"));
    const auto second = Document(Connect("second"));
    ASSERT_TRUE(first->call("DatabaseOpen", QString::fromStdString(database)).arguments().value(0).toBool());

    // A client that leaves while its long call runs (the scale is slow to answer, once): the server
    // goes on and answers the next.
    auto slowOnce = std::make_shared<std::atomic<bool>>(true);
    scale.Sim().SetFaults([slowOnce](ScaleFaults& faults) {
        faults.beforeAnswer = [slowOnce] {
            if (slowOnce->exchange(false)) std::this_thread::sleep_for(std::chrono::seconds(1));
        };
    });
    {
        QDBusConnection leaving = Connect("leaving");
        QDBusInterface document(kService, kObject, kInterface, leaving);
        (void)document.asyncCall("SendToScales", Short(2), 1, 100);
        QDBusConnection::disconnectFromBus("leaving");
    }

    // 100 calls from each client, all sent before any answer is awaited.
    struct Sent {
        QDBusPendingCall call;
        bool expected;
    };
    std::vector<Sent> sent;
    std::map<std::uint32_t, std::int32_t> lastPrice;
    for (int i = 0; i < 20; ++i) {
        for (const auto& [client, plu] : {std::pair{first.get(), 2}, std::pair{second.get(), 3}}) {
            const int price = 1000 * plu + i;
            lastPrice[static_cast<std::uint32_t>(plu)] = price;
            sent.push_back({client->asyncCall("ChangePrice", plu, price, 0), true});
            sent.push_back({client->asyncCall("DeleteRecords", Short(2), 10, 5), false});
            sent.push_back({client->asyncCall("SendToScales", Short(2), plu, plu), true});
            sent.push_back({client->asyncCall("IsUnsentDataWaiting"), false});
            sent.push_back({client->asyncCall("GetErrorMessage"), true});
        }
    }
    ASSERT_EQ(sent.size(), 200u);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i].call.waitForFinished();
        const QDBusMessage reply = sent[i].call.reply();
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << i << " " << reply.errorMessage().toStdString();
        const QVariant result = reply.arguments().value(0);
        if (result.typeId() == QMetaType::Bool) {
            EXPECT_EQ(result.toBool(), sent[i].expected) << i;
        }
    }
    ASSERT_TRUE(second->call("DatabaseClose").arguments().value(0).toBool());
    lastPrice[9] = 900;
    EXPECT_EQ(StoredPrices(database), lastPrice);
}

}  // namespace
}  // namespace varnel::test
