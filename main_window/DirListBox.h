#pragma once
// The folder list of the file browser, drawn as a folder tree cut down to one
// branch: "/" and each folder on the way down to the current one, then the
// current folder's subfolders, each row indented by its depth. A double-click
// (or Enter) on a row enters that folder. Every change of the path, by the
// program or by the user, is reported at once through pathChanged, so the
// dependent file list follows synchronously.
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

    // The folder a row leads to, and how deep it lies below "/".
    static constexpr int TargetRole = Qt::UserRole + 1;
    static constexpr int DepthRole = Qt::UserRole + 2;

signals:
    void pathChanged();
    // A folder the user chose could not be entered.
    void enterFailed(const QString& folder);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Enter(QListWidgetItem* item);
    void Fill();
    QListWidgetItem* AddRow(const QString& text, const QString& target, int depth, bool open);

    QString path_;
};
