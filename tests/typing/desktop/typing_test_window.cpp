// A small window for the desktop typing tests: a plain field and a password
// field. After every change it writes both texts to the file named on its
// command line ("plain=...\npassword=...\n"); it prints "ready" once it is
// the active window, and takes commands on standard input, answering "ok":
// "focus plain", "focus password", "clear".

#include <QApplication>
#include <QFile>
#include <QFormLayout>
#include <QLineEdit>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <iostream>
#include <string>

#include <unistd.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString output = QString::fromLocal8Bit(argv[1]);

    QWidget window;
    window.setWindowTitle("Zentrel typing test");
    auto* layout = new QFormLayout(&window);
    auto* plain = new QLineEdit(&window);
    plain->setObjectName("plain");
    plain->setAccessibleName("Plain field");
    auto* password = new QLineEdit(&window);
    password->setObjectName("password");
    password->setAccessibleName("Password field");
    password->setEchoMode(QLineEdit::Password);
    layout->addRow("Text", plain);
    layout->addRow("Password", password);

    const auto save = [&] {
        QSaveFile file(output);
        if (!file.open(QIODevice::WriteOnly)) return;
        file.write("plain=" + plain->text().toUtf8() + "\npassword=" + password->text().toUtf8() + "\n");
        file.commit();
    };
    QObject::connect(plain, &QLineEdit::textChanged, save);
    QObject::connect(password, &QLineEdit::textChanged, save);
    save();

    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            app.quit();
            return;
        }
        if (line == "focus plain") plain->setFocus();
        if (line == "focus password") password->setFocus();
        if (line == "clear") {
            plain->clear();
            password->clear();
        }
        std::printf("ok\n");
        std::fflush(stdout);
    });

    window.resize(420, 120);
    window.show();
    window.activateWindow();
    plain->setFocus();
    QTimer ready;
    QObject::connect(&ready, &QTimer::timeout, [&] {
        if (!window.isActiveWindow()) {
            window.activateWindow();
            return;
        }
        ready.stop();
        std::printf("ready\n");
        std::fflush(stdout);
    });
    ready.start(50);
    return app.exec();
}
