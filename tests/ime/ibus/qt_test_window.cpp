// A Qt 6 window with two text entries, "first" and "second", and a text
// view, "notes", for the input method's end-to-end test. Placed at the X and Y given as arguments; reports
// on standard output, one line each, what the test needs (see
// TestWindowProcess.hpp): the window, the centre of each entry, then every
// change of an entry's text and preedit. Return in an entry reports its text
// as "submitted"; the view's text is one line, line breaks as "⏎" and tabs as "⇥".

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

void report(const char* kind, const QWidget& entry, const QString& text) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%s %s %s\nat %lld\n", kind, entry.objectName().toUtf8().constData(), text.toUtf8().constData(),
                static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
    std::fflush(stdout);
}

// Reports the preedit an input method shows in the entry.
class PreeditReporter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::InputMethod) {
            const auto* entry = qobject_cast<QWidget*>(watched);
            const auto& preedit = static_cast<QInputMethodEvent*>(event)->preeditString();
            if (entry != nullptr && preedit != lastPreedit_) {
                lastPreedit_ = preedit;
                report("preedit", *entry, preedit);
            }
        }
        return false;
    }

private:
    QString lastPreedit_;
};

QLineEdit* entryNamed(const char* name, QWidget& parent, PreeditReporter& preedits) {
    auto* entry = new QLineEdit(&parent);
    entry->setObjectName(name);
    entry->installEventFilter(&preedits);
    QObject::connect(entry, &QLineEdit::textChanged, entry, [entry](const QString& text) { report("text", *entry, text); });
    QObject::connect(entry, &QLineEdit::returnPressed, entry, [entry] {
        std::printf("text submitted %s\n", entry->text().toUtf8().constData());
        std::fflush(stdout);
    });
    return entry;
}

QPlainTextEdit* notesView(QWidget& parent, PreeditReporter& preedits) {
    auto* view = new QPlainTextEdit(&parent);
    view->setObjectName("notes");
    view->installEventFilter(&preedits);
    QObject::connect(view, &QPlainTextEdit::textChanged, view, [view] {
        auto text = view->toPlainText();
        report("text", *view, text.replace('\n', QString("⏎")).replace('\t', QString("⇥")));
    });
    return view;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Qt entries");
    window.resize(400, 200);
    if (argc > 2) window.move(QString(argv[1]).toInt(), QString(argv[2]).toInt());

    PreeditReporter preedits;
    auto* layout = new QVBoxLayout(&window);
    QWidget* entries[] = {entryNamed("first", window, preedits), entryNamed("second", window, preedits),
                          notesView(window, preedits)};
    for (auto* entry : entries) layout->addWidget(entry);
    window.show();

    // Once the window is on screen: where it is and where its entries are.
    QTimer::singleShot(0, &window, [&] {
        std::printf("window %llu\n", static_cast<unsigned long long>(window.winId()));
        for (auto* entry : entries) {
            const QPoint centre = entry->mapToGlobal(entry->rect().center());
            std::printf("entry %s %d %d\n", entry->objectName().toUtf8().constData(), centre.x(), centre.y());
        }
        std::printf("ready\n");
        std::fflush(stdout);
    });
    return app.exec();
}
