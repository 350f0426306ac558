// Window test of 当選データ最新化 without a source (a fresh installation): 設定 opens with a word
// on what to enter, and the update goes on with the address saved there, or does nothing.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "core/maintenance/update_source.h"
#include "gui/maintenance/draw_update_dialog.h"
#include "gui/maintenance/update_source_dialog.h"
#include "http_test_server.h"
#include "test_support.h"

namespace {

// While it lives, hands the settings dialog to `onSettings` and answers every message box with
// OK, recording both.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(UpdateSourceDialog&)> onSettings)
        : m_onSettings(std::move(onSettings))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* settings = qobject_cast<UpdateSourceDialog*>(modal);
                settings && settings->isVisible()) {
                m_explanation = settings->explanationLabel()->isVisible()
                                    ? settings->explanationLabel()->text()
                                    : QString();
                ++m_settingsShown;
                m_onSettings(*settings);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
                m_messages.push_back(box->text());
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start(10);
    }
    int settingsShown() const { return m_settingsShown; }
    const QString& explanation() const { return m_explanation; }
    const QStringList& messages() const { return m_messages; }

private:
    std::function<void(UpdateSourceDialog&)> m_onSettings;
    QTimer m_timer;
    int m_settingsShown = 0;
    QString m_explanation;
    QStringList m_messages;
};

}  // namespace

class UpdateSourceTest : public QObject {
    Q_OBJECT

private slots:
    void withoutASourceSettingsOpenAndTheUpdateGoesOnWithTheSavedAddress();
};

void UpdateSourceTest::withoutASourceSettingsOpenAndTheUpdateGoesOnWithTheSavedAddress()
{
    TempDir dir;
    const std::string database = dir.file("Pomuran.mdb"), published = dir.file("published.mdb");
    const std::filesystem::path settingsFile = dir.path() / "config" / "update_source.json";
    for (const auto& [path, count] : {std::pair{database, 2}, std::pair{published, 5}}) {
        auto made = DrawDatabase::create(path);
        QVERIFY(made);
        QVERIFY(made->insertDraws(syntheticHistory(count).rows()));
    }
    const std::string before = readFile(database), bytes = readFile(published);
    HttpTestServer server({HttpTestServer::Behaviour::Answer, 200, bytes});
    const std::string address = server.url() + "/results/Pomuran.mdb";

    // Cancelled: nothing is fetched, nothing said, nothing saved.
    {
        ModalWatcher watcher([](UpdateSourceDialog& settings) { settings.reject(); });
        UpdateOptions options;
        options.destination = database;
        const UpdateResult result = runDrawUpdate(nullptr, options, settingsFile);
        QCOMPARE(result.outcome, UpdateOutcome::NoSource);
        QCOMPARE(watcher.settingsShown(), 1);
        QVERIFY2(watcher.explanation().contains(QStringLiteral("CSV")) &&
                     watcher.explanation().contains(QStringLiteral(".mdb")),
                 qPrintable(watcher.explanation()));
        QVERIFY(watcher.messages().isEmpty());
        QCOMPARE(server.requestCount(), 0);
        QVERIFY(readFile(database) == before);
        QVERIFY(!std::filesystem::exists(settingsFile));
    }
    // An address entered: saved, and the update runs with it at once.
    ModalWatcher watcher([&address](UpdateSourceDialog& settings) {
        settings.sourceEdit()->setText(QString::fromStdString(address));
        settings.accept();
    });
    UpdateOptions options;
    options.destination = database;
    const UpdateResult result = runDrawUpdate(nullptr, options, settingsFile);
    QCOMPARE(result.outcome, UpdateOutcome::Updated);
    QCOMPARE(watcher.settingsShown(), 1);
    QCOMPARE(watcher.messages(), QStringList{QStringLiteral("当選データを最新化しました。")});
    QCOMPARE(server.lastPath(), std::string("/results/Pomuran.mdb"));
    QVERIFY(readFile(database) == bytes);
    QCOMPARE(loadUpdateSource(settingsFile), address);
}

QTEST_MAIN(UpdateSourceTest)
#include "update_source_test.moc"
