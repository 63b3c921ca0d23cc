#include "test_windows.h"

#include "message_box.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

RecordedMessages::RecordedMessages() { message_box::recordInto(&messages_); }
RecordedMessages::~RecordedMessages() { message_box::recordInto(nullptr); }

bool RecordedMessages::isOneError(int number) const
{
    return messages_.size() == 1 && messages_.first().contains(QStringLiteral("Error %1: ").arg(number));
}

bool activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}
