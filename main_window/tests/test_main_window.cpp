#include "main_window_driver.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

namespace {

// The named element that holds the focus (the date picker's inner line
// edit counts as the picker).
QString focusedElement()
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    }
    return {};
}

QRect twipsArea(int left, int top, int width, int height) { return {left / 15, top / 15, width / 15, height / 15}; }

// What the file dialog's list shows in its size, type and date columns for
// the entry named name; empty while the entry is not listed.
QStringList dialogRow(const QTreeView* view, const QString& name)
{
    const QAbstractItemModel* model = view->model();
    const QModelIndex folder = view->rootIndex();
    QStringList cells;
    for (int i = 0; i < model->rowCount(folder); ++i) {
        if (model->index(i, 0, folder).data().toString() != name)
            continue;
        for (int column = 1; column < 4; ++column)
            cells << model->index(i, column, folder).data().toString();
    }
    return cells;
}

// Whether the size, type and date columns are wide enough for their
// headers and for the row's cells.
bool columnsFit(const QTreeView* view, const QStringList& row)
{
    const QFontMetrics metrics(view->font());
    for (int column = 1; column < 4; ++column) {
        const int needed =
            std::max(metrics.horizontalAdvance(view->model()->headerData(column, Qt::Horizontal).toString()),
                     metrics.horizontalAdvance(row.value(column - 1)));
        if (view->header()->sectionSize(column) <= needed)
            return false;
    }
    return true;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void windowIsFixedCentredAndTitled()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        QCOMPARE(ui.window->size(), QSize(852, 655));
        QCOMPARE(ui.window->minimumSize(), ui.window->maximumSize());
        QVERIFY(!(ui.window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(ui.window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(ui.window->windowTitle(), QStringLiteral("Trumi Editor 1.1 - 2004 - Equipo Trumi"));
        const QPoint screenCentre = ui.window->screen()->availableGeometry().center();
        QVERIFY((ui.window->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        MainWindowDriver single(Edition::release10());
        QCOMPARE(single.window->windowTitle(), QStringLiteral("Trumi Editor 1.0 - 2004 - Equipo Trumi"));
    }

    void elementsSitWhereTheLayoutPutsThem()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        QCOMPARE(ui.find("CmdCrear")->geometry(), twipsArea(1200, 9000, 1335, 615));
        QCOMPARE(ui.find("Frame3")->geometry(), twipsArea(7680, 1200, 4935, 5415));
        QCOMPARE(ui.find("TxtDistribucion")->geometry(), twipsArea(360, 3240, 4335, 1815));
        QCOMPARE(ui.find("TxtDistribucion")->parentWidget()->objectName(), QStringLiteral("Frame3"));
        QCOMPARE(ui.find("Calendario")->geometry(), twipsArea(1920, 2040, 2655, 375));
        QCOMPARE(ui.find("Label10")->width(), 4335 / 15);
        MainWindowDriver single(Edition::release10());
        QCOMPARE(single.find("Label10")->width(), 1815 / 15);
    }

    void everyFixedCaptionFitsItsPlace()
    {
        MainWindowDriver ui(Edition::release10());
        for (const QLabel* label : ui.window->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            const QRect needed =
                label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 1000), Qt::TextWordWrap, label->text());
            QVERIFY2(needed.height() <= label->height() && needed.width() <= label->width(), qPrintable(label->text()));
            QVERIFY2(label->wordWrap() || label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
            // The layout itself lets a prompt touch its box by one pixel.
            for (const QWidget* sibling : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect common = sibling->geometry().intersected(label->geometry());
                QVERIFY2(sibling == label || common.height() <= 1 || common.width() <= 1,
                         qPrintable(label->objectName() + " overlaps " + sibling->objectName()));
            }
        }
    }

    void release11HasTooltipsOnEveryAuthorField()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        QCOMPARE(ui.find("TxtWeb")->toolTip(), QStringLiteral("Página web del autor y/o actualizaciones."));
        QCOMPARE(ui.find("Calendario")->toolTip(), QStringLiteral("Fecha de creación del producto."));
    }

    void release10HasItsFixedSpanishCaptions()
    {
        MainWindowDriver ui(Edition::release10());
        QCOMPARE(ui.find<QAbstractButton>("CmdCrear")->text(), QStringLiteral("&Crear Trumi"));
        QCOMPARE(ui.find<QAbstractButton>("Chk1")->text(),
                 QStringLiteral("Especificar estado de la versión. ( Si / No )"));
        QCOMPARE(ui.find<QGroupBox>("Frame4")->title(), QStringLiteral("Descripción del producto e instalación"));
        QCOMPARE(ui.find<QLabel>("Label11")->text(), QStringLiteral("Licencia de distrubución:"));
        QCOMPARE(ui.find("TxtProducto")->toolTip(), QStringLiteral("Nombre del producto sin la versión."));
        QCOMPARE(ui.find("TxtWeb")->toolTip(), QString());
        QCOMPARE(ui.find("Calendario")->toolTip(), QString());
    }

    void tabOrderFollowsTheLayout()
    {
        MainWindowDriver ui(Edition::release10());
        ui.type("TxtProducto", QStringLiteral("p"));
        ui.type("TxtVersion", QStringLiteral("v"));
        ui.find<QCheckBox>("Chk1")->setChecked(true);
        QTRY_VERIFY(ui.find("CmdCrear")->isEnabled() && ui.find("OpVer1")->isEnabled());
        // Of the two options only the selected one takes the focus.
        QVERIFY(activate(ui.window));
        ui.find("TxtProducto")->setFocus();
        // The form's boxes in the order of its table, then the buttons.
        QStringList expected;
        for (const FormBox& row : formBoxes()) {
            expected << QString::fromLatin1(row.name);
            if (row.value == &DocumentRecord::status)
                expected << QStringLiteral("OpVer1");
        }
        expected << QStringList{"CmdCrear", "CmdOpciones", "CmdAcercade", "CmdCerrar"};
        QStringList order;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            order << focusedElement();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, expected);
        QCOMPARE(order.mid(0, 4), (QStringList{"TxtProducto", "TxtVersion", "Chk1", "OpVer1"}));
    }

    // With the status stated, the chosen option is the one tab stop between
    // the status box and the author, both ways, from the start.
    void onlyTheChosenOptionIsATabStop_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("final, as at start-up") << "OpVer1";
        QTest::newRow("beta") << "OpVer2";
    }
    void onlyTheChosenOptionIsATabStop()
    {
        QFETCH(QString, chosen);
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.find<QRadioButton>(qPrintable(chosen))->setChecked(true);
        ui.find<QCheckBox>("Chk1")->setChecked(true);
        QTRY_VERIFY(ui.find("OpVer1")->isEnabled());
        QVERIFY(activate(ui.window));
        ui.find("TxtNomApe")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(focusedElement(), chosen);
        ui.find("Chk1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusedElement(), chosen);
    }

    // The file types show as their labels, "Fichero de texto *.txt"; Open
    // adds every file and keeps a name without a dot as it is; neither
    // starts in a virtual file system nor reads a file to name its type.
    void fileDialogsAreSetUpForTheirUse_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("proposedFolder");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("folder");
        const QStringList text{u"Fichero de texto *.txt (*.txt)"_qs};
        const QStringList save = text + QStringList{u"Markdown *.md (*.md)"_qs};
        const QStringList all = text + QStringList{u"Todos los ficheros (*)"_qs};
        const QString home = QDir::homePath(), temp = QDir::tempPath();
        QTest::newRow("Save") << true << QString() << save << u"txt"_qs << home;
        QTest::newRow("Open") << false << QString() << all << QString() << home;
        QTest::newRow("Save after a proposal") << true << temp << save << u"txt"_qs << temp;
#if !defined(Q_OS_WIN)  // Linux's virtual file systems
        QTest::newRow("Save after a failure in /proc") << true << u"/proc"_qs << save << u"txt"_qs << home;
        QTest::newRow("Open after a failure in /sys") << false << u"/sys/kernel"_qs << all << QString() << home;
        QTest::newRow("Save after a failure in /dev") << true << u"/dev"_qs << save << u"txt"_qs << home;
#endif
    }
    void fileDialogsAreSetUpForTheirUse()
    {
        QFETCH(bool, save);
        QFETCH(QString, proposedFolder);
        QFETCH(QStringList, filters);
        QFETCH(QString, suffix);
        QFETCH(QString, folder);
        QtFileDialogs dialogs(Edition::release11(nullptr), ProgramTexts());
        dialogs.proposeForSave(proposedFolder, {});
        QString shown, shownSuffix, shownFolder;
        QStringList shownFilters;
        QAbstractFileIconProvider* provider = nullptr;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
            shownFilters = dialog->nameFilters();
            shownSuffix = dialog->defaultSuffix();
            shownFolder = dialog->directory().absolutePath();
            provider = dialog->iconProvider();
            dialog->reject();
        });
        QCOMPARE(save ? dialogs.showSave(nullptr).path : dialogs.showOpen(nullptr, u"Abrir fichero"_qs), QString());
        QCOMPARE(shown, u"Fichero de texto *.txt"_qs);
        QCOMPARE(shownFilters, filters);
        QCOMPARE(shownSuffix, suffix);
        QCOMPARE(shownFolder, folder);
        // A picture without a telling name is not opened to name it.
        QTemporaryDir dir;
        writeBytes(dir.filePath(u"picture"_qs), QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, '\0'));
        QVERIFY(provider);
        QVERIFY(!provider->type(QFileInfo(dir.filePath(u"picture"_qs))).contains(u"PNG"_qs));
    }

    // Both dialogs speak the program's language (the folder's type is its
    // word, sizes and dates its locale's, whatever the system's) and show
    // every column's header and a typical row whole.
    void fileDialogsSpeakTheProgramsLanguageAndFit()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"Documentos"_qs));
        writeBytes(dir.filePath(u"notas.txt"_qs), QByteArray(1120, 'n'));
        const ProgramTexts texts =
            ProgramTexts::fromKeys([](const QString& key) { return key == u"Cad106"_qs ? u"Dossier"_qs : QString(); });
        QLocale::setDefault(QLocale(u"fr"_qs));
        QtFileDialogs dialogs(Edition::release11(nullptr), texts);
        dialogs.proposeForSave(dir.path(), {});
        QStringList folderRow, fileRow;
        bool headersWhole = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* view = dialog ? dialog->findChild<QTreeView*>(u"treeView"_qs) : nullptr;
            const auto listed = [&] {
                return !dialogRow(view, u"notas.txt"_qs).isEmpty() && !dialogRow(view, u"Documentos"_qs).isEmpty();
            };
            if (view && view->model() && QTest::qWaitFor(listed)) {
                QTest::qWait(50);  // fitted as the dialog is shown
                folderRow = dialogRow(view, u"Documentos"_qs);
                fileRow = dialogRow(view, u"notas.txt"_qs);
                headersWhole = columnsFit(view, fileRow);
            }
            if (dialog)
                dialog->reject();
        });
        QCOMPARE(dialogs.showSave(nullptr).path, QString());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(folderRow.value(1), u"Dossier"_qs);
        QCOMPARE(fileRow.value(0), QLocale(u"fr"_qs).formattedDataSize(1120));
        QVERIFY2(fileRow.value(0).contains(u','), qPrintable(fileRow.value(0)));
        QVERIFY(headersWhole);
    }

    void loadSetsTheStartingStates()
    {
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        MainWindowDriver ui(Edition::release11(nullptr));
        QCOMPARE(ui.find<QCheckBox>("Chk1")->checkState(), Qt::Unchecked);
        QVERIFY(ui.find<QRadioButton>("OpVer1")->isChecked());
        QVERIFY(!ui.find("OpVer1")->isEnabled());
        QVERIFY(!ui.find("OpVer2")->isEnabled());
        const QDateTime value = ui.find<QDateTimeEdit>("Calendario")->dateTime();
        QVERIFY(value >= before && value <= QDateTime::currentDateTime());
        QCOMPARE(ui.find<QDateTimeEdit>("Calendario")->minimumDate(), QDate(1601, 1, 1));
        QCOMPARE(ui.find<QDateTimeEdit>("Calendario")->maximumDate(), QDate(9999, 12, 31));
        QVERIFY(ui.find<QDateTimeEdit>("Calendario")->displayFormat().contains(QLatin1String("yyyy")));
        QCOMPARE(ui.window->findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 100);
        QVERIFY(ui.window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    void boxesTakeAnyLengthAndNeverScrollSideways()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        const QString longText(100000, QLatin1Char('n'));
        ui.type("TxtProducto", longText);
        QCOMPARE(ui.line("TxtProducto")->text(), longText);
        for (const char* name : {"TxtDesc", "TxtUso", "TxtDistribucion"}) {
            QCOMPARE(ui.box(name)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QVERIFY(ui.box(name)->tabChangesFocus());
        }
    }

    void closeUnloadsTheWindow()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.find<QPushButton>("CmdCerrar")->click();
        QTRY_VERIFY(ui.window.isNull());
    }
};

TRUMI_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
