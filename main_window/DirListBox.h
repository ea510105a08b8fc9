#pragma once
// The folder list of the file browser: the current folder's path on top, ".."
// to go up, then its subfolders. A double-click (or Enter) on a row enters it.
// Every change of the path, by the program or by the user, is reported at once
// through pathChanged, so the dependent file list follows synchronously.
#include <QListWidget>
#include <QString>

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The absolute path of the folder shown; empty before the first SetPath.
    QString Path() const { return path_; }

    // Shows the given folder. A folder that does not exist or cannot be read
    // raises RuntimeError 76 "Path not found" and leaves the list as it was.
    // Emits pathChanged when the path differs from the one shown.
    void SetPath(const QString& path);

    // Reads the subfolders of the current folder again.
    void Refresh();

    // The folder a row leads to; empty for the path row itself.
    static constexpr int TargetRole = Qt::UserRole + 1;

signals:
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Enter(QListWidgetItem* item);
    void Fill();

    QString path_;
};
