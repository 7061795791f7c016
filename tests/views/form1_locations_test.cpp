// "Add location..." and "Remove location..." in the SunSet menu, driven as a user drives them.

#include "machine_support.h"
#include "views/location_dialogs.h"
#include "window_support.h"

using namespace window_test;

namespace {

QDialog* Dialog(const Run& run, const char* name) { return run.Form->findChild<QDialog*>(name); }
template <typename T>
T* In(QDialog* dialog, const char* name) {
    return dialog ? dialog->findChild<T*>(name) : nullptr;
}
void Ok(QDialog* dialog) {
    In<QDialogButtonBox>(dialog, "Buttons")->button(QDialogButtonBox::Ok)->click();
}
QStringList Listed(const Run& run) {
    QStringList out;
    for (int i = 1; i <= 10; ++i)
        if (QAction* item = run.Action("Sun" + QString::number(i)); item->isVisible())
            out << item->text() + (item->isChecked() ? "*" : "");
    return out;
}

}  // namespace

class Form1LocationsTest : public QObject {
    Q_OBJECT
private slots:
    // A town found by its first letters, picked, made and made active; a table added before the
    // active one in the menu keeps that one active after a restart; a user's table removed, a
    // shipped one never offered.
    void addPickRestartRemove() {
        if (const auto why = tovel::test::WhyNotZoneRules("Europe/London", 2026, {329, 1025});
            !why.empty())
            QSKIP(why.c_str());
        Folder folder;
        Locate(folder);  // home.sun, active
        QFile::copy(TOVEL_DATA_DIR "/Jerusalem.sun", folder.File("Jerusalem.sun"));
        {
            Run run = Start(folder, QDate(2026, 6, 21));
            run.Action("AddLocationItem")->trigger();
            QDialog* dialog = Dialog(run, "AddLocation");
            QTest::keyClicks(In<QLineEdit>(dialog, "Search"), "edINB");
            QListWidget* matches = In<QListWidget>(dialog, "Matches");
            QVERIFY(matches && matches->count() > 0);
            QCOMPARE(matches->item(0)->text(), QString("Edinburgh, Scotland, United Kingdom"));
            matches->setCurrentRow(0);
            QCOMPARE(In<QLineEdit>(dialog, "Zone")->text(), QString("Europe/London"));
            Ok(dialog);
            const QByteArray table = folder.Read("Edinburgh.sun");
            QVERIFY(table.startsWith("Edinburgh\r\n Jan  1  3:") &&
                    table.endsWith("\r\nZone Europe/London 2026\r\n"));
            QCOMPARE(Listed(run), QStringList({"Edinburgh*", "Jerusalem", "Home"}));
            QVERIFY2(run.Label("Label10")->text().startsWith("Sun sets in Edinburgh at  22:0"),
                     qPrintable(run.Label("Label10")->text()));  // 22:03 BST
            run.Action("Sun3")->trigger();  // Home again, now third in the menu
            QVERIFY(run.Form->close());
            QVERIFY(run.Messages->isEmpty());
        }
        folder.Write("Aachen.sun",
                     SunTable("Aachen", 3));  // sorts first: the third item is now Jerusalem
        Run run = Start(folder, QDate(2026, 6, 21));
        QCOMPARE(Listed(run), QStringList({"Aachen", "Edinburgh", "Jerusalem", "Home*"}));
        run.Action("RemoveLocationItem")->trigger();
        QDialog* dialog = Dialog(run, "RemoveLocation");
        QListWidget* tables = In<QListWidget>(dialog, "Tables");
        QVERIFY(tables);
        QCOMPARE(tables->count(), 3);  // not Jerusalem, shipped
        QCOMPARE(tables->item(1)->text(), QString("Edinburgh"));
        tables->setCurrentRow(1);
        Ok(dialog);
        QVERIFY(!QFile::exists(folder.File("Edinburgh.sun")));
        QCOMPARE(*run.Messages, QStringList("? Remove the location Edinburgh? Its table " +
                                            folder.File("Edinburgh.sun") + " is deleted."));
        QCOMPARE(Listed(run), QStringList({"Aachen", "Jerusalem", "Home*"}));
    }

    // Places the maker refuses keep the dialog open with its message, and write nothing.
    void refusedPlaces_data() {
        Columns<QString, QString, QString, QString, QString>(
            {"name", "latitude", "longitude", "zone", "message"});
        // clang-format off
        QTest::newRow("bad latitude") << "X" << "91" << "0" << "UTC"
                << "the latitude '91' is not a decimal number";
        QTest::newRow("polar") << "Tromso" << "69.6492" << "18.9553" << "Europe/Oslo"
                << "no table for Tromso: on Jan 1 2026 the sun does not rise";
        QTest::newRow("unknown zone") << "X" << "1" << "2" << "Mars/Olympus"
                << "unknown time zone 'Mars/Olympus'";
        QTest::newRow("no name") << "" << "1" << "2" << "UTC"
                << "the location name is empty";
        // clang-format on
    }
    void refusedPlaces() {
        QFETCH(QString, name);
        QFETCH(QString, latitude);
        QFETCH(QString, longitude);
        QFETCH(QString, zone);
        QFETCH(QString, message);
        if (const auto why = tovel::test::WhyNotZoneRules("Europe/Oslo", 2026, {329, 1025});
            zone == "Europe/Oslo" && !why.empty())
            QSKIP(why.c_str());
        Folder folder;
        Locate(folder);
        Run run = Start(folder, QDate(2026, 1, 5));
        const auto before = folder.Snapshot();
        run.Action("AddLocationItem")->trigger();
        QDialog* dialog = Dialog(run, "AddLocation");
        In<QLineEdit>(dialog, "PlaceName")->setText(name);
        In<QLineEdit>(dialog, "Latitude")->setText(latitude);
        In<QLineEdit>(dialog, "Longitude")->setText(longitude);
        In<QLineEdit>(dialog, "Zone")->setText(zone);
        Ok(dialog);
        QCOMPARE(run.Messages->size(), 1);
        QVERIFY2(run.Messages->first().contains(message), qPrintable(run.Messages->first()));
        QVERIFY(dialog->isVisible());
        QCOMPARE(folder.Snapshot(), before);
    }

    // With ten tables listed "Add location..." says so and opens nothing.
    void tenLocationsRefused() {
        Folder folder;
        for (int i = 0; i < 10; ++i) folder.Write(QString("t%1.sun").arg(i), SunTable("Town", i));
        Run run = Start(folder, QDate(2026, 1, 5));
        run.Action("AddLocationItem")->trigger();
        QVERIFY(!Dialog(run, "AddLocation"));
        QCOMPARE(run.Messages->size(), 1);
        QVERIFY(run.Messages->first().startsWith("The SunSet menu lists ten locations"));
    }
};

QTEST_MAIN(Form1LocationsTest)
#include "form1_locations_test.moc"
