#pragma once

#include "main_window/frm_trumi.h"
#include "testing/test_support.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// Drives a real main window the way a user does, through its widgets found
// by name, with the Save dialog answered by preset paths.
class MainWindowDriver {
public:
    explicit MainWindowDriver(Release release, const CaptionSource* captions = nullptr)
        : window(new FrmTrumi(Edition{release, captions}))
    {
        window->setDateFormat({"%d/%m/%Y", "%H:%M:%S"});
        window->show();
    }
    ~MainWindowDriver() { delete window.data(); }

    template <typename T = QWidget>
    T* find(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* line(const char* name) const { return find<QLineEdit>(name); }
    QPlainTextEdit* box(const char* name) const { return find<QPlainTextEdit>(name); }

    void type(const char* name, const QString& text) const { line(name)->setText(text); }
    void typeBox(const char* name, const QString& text) const { box(name)->setPlainText(text); }
    void setDate(const QDateTime& value) const { find<QDateTimeEdit>("Calendario")->setDateTime(value); }

    PresetSaveDialog* answerSaveWith(QStringList paths)
    {
        auto dialog = std::make_unique<PresetSaveDialog>(std::move(paths));
        PresetSaveDialog* raw = dialog.get();
        window->setSaveDialog(std::move(dialog));
        return raw;
    }

    // Presses Create once the polling timer has enabled it.
    bool create() const
    {
        auto* crear = find<QPushButton>("CmdCrear");
        if (!QTest::qWaitFor([&] { return crear->isEnabled(); }, 2000))
            return false;
        crear->click();
        return true;
    }

    // Every text and state the user can see, to show that nothing changed.
    QStringList snapshot() const
    {
        QStringList values;
        for (const char* name : {"TxtProducto", "TxtVersion", "TxtNomApe", "TxtEmail", "TxtWeb"})
            values << line(name)->text();
        for (const char* name : {"TxtDesc", "TxtUso", "TxtDistribucion"})
            values << box(name)->toPlainText();
        values << QString::number(find<QCheckBox>("Chk1")->checkState())
               << QString::number(find<QRadioButton>("OpVer1")->isChecked())
               << find<QDateTimeEdit>("Calendario")->dateTime().toString(Qt::ISODate);
        return values;
    }

    QPointer<FrmTrumi> window;
};
