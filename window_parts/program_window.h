#pragma once

#include <QApplication>
#include <QWidget>

// A window of the program: a top-level with the common background picture,
// drawn unscaled from the top-left corner and clipped by the window (painted
// here rather than through the palette, so that it stays out of dialogs).
// Each window is deleted when it closes (unloaded).
class ProgramWindow : public QWidget {
public:
    explicit ProgramWindow(QWidget* parent = nullptr);

    // False from the moment the window has closed until it is deleted.
    bool isLoaded() const { return loaded_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Centred on the screen when first shown.
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool loaded_ = true;
    bool placed_ = false;
};

// Every window exists at most once and is reached by its class: the loaded
// window of that class, or nullptr.
template <typename Window>
Window* loadedWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<Window*>(widget);
        if (window && window->isLoaded())
            return window;
    }
    return nullptr;
}
