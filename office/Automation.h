#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

// An automation object in the manner of ActiveQt's QAxObject: members are
// reached by their signature strings ("SaveAs(const QString&)"), children by
// querySubObject. Backends: ActiveQt where it exists (Windows), otherwise a
// built-in stand-in for "Word.Application" that writes a .docx on SaveAs.
class AutomationObject
{
public:
    AutomationObject() = default;
    AutomationObject(const AutomationObject &) = delete;
    AutomationObject &operator=(const AutomationObject &) = delete;
    // Deletes the sub-objects this object still owns and leaves its parent.
    virtual ~AutomationObject();

    // Binds to a registered automation server; false when there is none.
    virtual bool setControl(const QString &control) = 0;
    // Calls a method (or sets a property) named by its signature.
    virtual QVariant dynamicCall(const char *function, const QVariant &var1 = QVariant()) = 0;
    // A child object, owned by this one; null when the member does not exist
    // or the call fails.
    virtual AutomationObject *querySubObject(const char *name, const QVariant &var1 = QVariant())
        = 0;
    // Whether the latest setControl/dynamicCall/querySubObject on this object failed. Like
    // ActiveQt, a backend may answer a member it cannot resolve with an invalid value and no
    // failure, so callers also check what they need: sub-objects, results, written files.
    virtual bool lastCallFailed() const = 0;

protected:
    // Makes this object the owner of child (returned for convenience; null stays null).
    AutomationObject *adopt(AutomationObject *child);
    // Deletes the owned sub-objects now, for backends that must outlive them.
    void deleteChildren();

private:
    AutomationObject *owner = nullptr;
    std::vector<AutomationObject *> children;
};

class QObject;

// Whether an answer of a QObject-based automation layer (ActiveQt) means failure: an invalid
// value from a member whose type information declares a result. Such a layer answers a call
// it cannot carry out that way, without an exception.
bool invalidWhereResultDeclared(const QObject *object, const char *function, const QVariant &answer);

using AutomationFactory = std::function<std::unique_ptr<AutomationObject>()>;

// A new, unbound automation object from the installed factory, else the built-in one.
std::unique_ptr<AutomationObject> createAutomationObject();
// Installs the factory that createAutomationObject() uses (ActiveQt's on
// Windows, a recording wrapper in tests); an empty factory restores the default.
void setAutomationFactory(AutomationFactory factory);
// The built-in stand-in: knows only "Word.Application".
std::unique_ptr<AutomationObject> createBuiltInAutomationObject();
