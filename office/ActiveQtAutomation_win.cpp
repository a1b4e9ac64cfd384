#include "office/ActiveQtAutomation.h"

#include <QAxObject>
#include <QMetaMethod>
#include <QPointer>

#include <objbase.h>

namespace {

// Whether the object's type information declares a result for this member. ActiveQt answers
// a call it cannot resolve with an invalid value and no exception, so an invalid answer where
// a result is declared is a failure.
bool declaresResult(const QObject *object, const char *function)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature(function).constData());
    return index >= 0 && meta->method(index).returnType() != QMetaType::Void;
}

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
        if (!result.isValid() && declaresResult(object.data(), function))
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
