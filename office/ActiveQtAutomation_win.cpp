#include "office/ActiveQtAutomation.h"

#include <QAxObject>
#include <QPointer>

#include <objbase.h>

namespace {

class AxAutomationObject : public AutomationObject
{
public:
    // A root object: owns its QAxObject and the thread's COM initialisation.
    AxAutomationObject() : object(new QAxObject), root(true)
    {
        comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        watch();
    }
    // A sub-object: its QAxObject belongs to the parent QAxObject.
    explicit AxAutomationObject(QAxObject *child) : object(child) { watch(); }

    ~AxAutomationObject() override
    {
        deleteChildren();
        delete object.data(); // leaves its QAxObject parent; null when that parent went first
        if (root && comReady)
            CoUninitialize();
    }

    bool setControl(const QString &control) override
    {
        failed = !object->setControl(control) || object->isNull();
        return !failed;
    }

    QVariant dynamicCall(const char *function, const QVariant &var1) override
    {
        failed = object.isNull();
        if (failed)
            return {};
        const QVariant result = object->dynamicCall(function, var1);
        // An unresolved call answers nothing and raises no exception.
        if (invalidWhereResultDeclared(object.data(), function, result))
            failed = true;
        return result;
    }

    AutomationObject *querySubObject(const char *name, const QVariant &var1) override
    {
        failed = object.isNull();
        QAxObject *child = failed ? nullptr : object->querySubObject(name, var1);
        if (!child || child->isNull()) {
            failed = true;
            return nullptr;
        }
        return adopt(new AxAutomationObject(child));
    }

    bool lastCallFailed() const override { return failed; }

private:
    void watch()
    {
        // A COM exception during a call is the only sign that it failed.
        QObject::connect(object.data(), &QAxObject::exception, object.data(),
            [this](int, const QString &, const QString &, const QString &) { failed = true; });
    }

    QPointer<QAxObject> object;
    bool root = false;
    bool comReady = false;
    bool failed = false;
};

} // namespace

std::unique_ptr<AutomationObject> createActiveQtAutomationObject()
{
    return std::make_unique<AxAutomationObject>();
}
