// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "io/PreferencesFile.h"
#include "ui/MainWindow.h"
#include "ui/PictureImage.h"
#include "ui/PictureView.h"

// Readable failures for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Acts on the next modal dialog of type T (or, for QMenu, the next pop-up)
// from inside its event loop. Check Acted() after the call that should have
// opened it; the destructor stops waiting.
template <typename T>
class WhenShown {
public:
    explicit WhenShown(std::function<void(T&)> act) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this, act = std::move(act)] {
            QWidget* shown =
                std::is_same_v<T, QMenu> ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
            if (auto* widget = qobject_cast<T*>(shown); widget && widget->isVisible()) {
                timer_.stop();
                acted_ = true;
                act(*widget);
            }
        });
        timer_.start();
    }
    bool Acted() const { return acted_; }

private:
    QTimer timer_;
    bool acted_ = false;
};

// Types the path into a file dialog's name field and presses Enter. The
// dialog prefers a file selected in its list to the typed name, and drops
// that selection on typing only while the name field has the focus, which
// an offscreen window does not always give: the selection goes first.
inline void AnswerFileDialog(QFileDialog& dialog, const QString& path) {
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    auto* list = dialog.findChild<QAbstractItemView*>("listView");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(list, nullptr);
    list->clearSelection();
    name->setFocus();
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

// Clicks an item of an open menu with the mouse.
inline void ClickMenuItem(QMenu& menu, QAction* item) {
    ASSERT_TRUE(menu.actions().contains(item));
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(item).center());
}

// A fresh main window, shown offscreen. Message boxes are answered from
// `answers` (OK when it is empty) and recorded in `messages`.
class WindowTest : public ::testing::Test {
protected:
    struct Message {
        bool question;
        std::string text;
    };

    void SetUp() override {
        QFile::remove("tsr.def");
        // Each test starts as a first run: no settings kept by the one before.
        QFile::remove(QString::fromStdString(preferences::DefaultFile()));
        StartWindow();
    }
    void TearDown() override {
        if (window) {
            // QTest's double click of a button other than the left leaves
            // that button marked as held for the whole application; the
            // next test's left press would then be a press of two buttons,
            // which draws nothing.
            for (const Qt::MouseButton held : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
                if (QGuiApplication::mouseButtons() & held) QTest::mouseRelease(window.get(), held);
            window->Form().Modified = false;
            window->close();
        }
    }

    void StartWindow() {
        window = std::make_unique<ui::MainWindow>();
        window->Platform().messageAnswerer = [this](bool question, const std::string& text) {
            messages.push_back({question, text});
            if (answers.empty()) return true;
            const bool answer = answers.front();
            answers.pop_front();
            return answer;
        };
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    EditorForm& form() { return window->Form(); }
    QWidget* widget(ControlId id) { return window->WidgetOf(id); }
    ui::PictureView* view(ControlId id) { return window->ViewOf(id); }
    QAction* action(ControlId id) { return window->ActionOf(id); }

    // Chooses a main-menu item as the user would: its menu opens first.
    void Choose(ControlId item) {
        QMenu* menu = window->MenuOf(InfoOf(item).parent);
        emit menu->aboutToShow();
        window->ActionOf(item)->trigger();
    }

    // What a view shows on screen, pixel for pixel.
    QImage Shown(ControlId id) { return view(id)->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static QImage Expected(const canvas::Picture& picture) { return ui::ImageOfPicture(picture); }

    // Mouse events as the platform delivers them to a view.
    void Press(ControlId id, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mousePress(widget(id), button, modifiers, at);
    }
    void Release(ControlId id, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseRelease(widget(id), button, modifiers, at);
    }
    void Click(ControlId id, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Press(id, at, button, modifiers);
        Release(id, at, button, modifiers);
    }
    // A move with these buttons held and keys down, delivered to the widget
    // that holds the mouse.
    void Move(ControlId id, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = widget(id);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::NoButton, buttons,
                         modifiers);
        QApplication::sendEvent(target, &move);
    }

    std::string Text(ControlId id) { return window->Form().controls.Caption(id); }

    static QString ScratchPath(const QString& name) { return QDir::current().absoluteFilePath(name); }

    // A picture file of w x h in colour `fill` with pixel (1, 0) red.
    static QString WritePicture(const QString& name, int w, int h, QColor fill) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(fill);
        image.setPixelColor(1, 0, QColor(255, 0, 0));
        const QString path = ScratchPath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    std::unique_ptr<ui::MainWindow> window;
    std::vector<Message> messages;
    std::deque<bool> answers;
};
