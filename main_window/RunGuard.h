#pragma once
// Keeps a load or a save of the window alone while it lets the window process
// events: user input to the window is dropped meanwhile, and a request to close
// the window waits until the run has ended. Message boxes the run shows are
// windows of their own and keep taking input.
#include <QObject>

class QWidget;

class RunGuard : public QObject {
    Q_OBJECT
public:
    explicit RunGuard(QWidget& window);
    ~RunGuard() override;

    bool Busy() const { return depth_ > 0; }

    // Remembers a close request that arrived during a run.
    void DeferClose() { closeWanted_ = true; }

    // Marks one run; the last one to end closes the window if that was asked
    // for meanwhile (queued, so the caller's code finishes first).
    class Scope {
    public:
        explicit Scope(RunGuard& guard);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        RunGuard& guard_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Begin();
    void End();
    bool IsInputToWindow(QObject* watched, const QEvent* event) const;

    QWidget& window_;
    int depth_ = 0;
    bool closeWanted_ = false;
};
