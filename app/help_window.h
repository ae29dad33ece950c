// A small window that shows the program's help topics: HTML pages named
// after their help context ("1000.html") in the folder "Zlt9en.hlp".
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace vantrel {

class WHelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit WHelpWindow(QWidget* parent = nullptr);

    // Shows the page at `path` for help context `context` and brings the
    // window to the front.
    void ShowTopic(const QString& path, int context);
    int CurrentContext() const { return context_; }
    QString CurrentPath() const { return path_; }
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_ = nullptr;
    int context_ = 0;
    QString path_;
};

}  // namespace vantrel
