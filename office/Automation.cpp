#include "office/Automation.h"

#include "office/Docx.h"

#include <QDir>
#include <QMetaMethod>
#include <QMutex>
#include <QSaveFile>

#include <algorithm>

AutomationObject::~AutomationObject()
{
    if (owner) {
        auto &siblings = owner->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    deleteChildren();
}

void AutomationObject::deleteChildren()
{
    // Each child leaves this list in its own destructor.
    while (!children.empty())
        delete children.back();
}

AutomationObject *AutomationObject::adopt(AutomationObject *child)
{
    if (child) {
        child->owner = this;
        children.push_back(child);
    }
    return child;
}

bool invalidWhereResultDeclared(const QObject *object, const char *function, const QVariant &answer)
{
    if (answer.isValid() || !object)
        return false;
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature(function).constData());
    return index >= 0 && meta->method(index).returnType() != QMetaType::Void;
}

namespace {

QMutex factoryMutex;
AutomationFactory installedFactory;

// ------------------------------------------------------------ Word stand-in

// "InsertAfter (QString)" and "SaveAs(const QString&)" name the members
// InsertAfter and SaveAs; Word's member names are not case-sensitive.
QString memberName(const char *signature)
{
    QString name = QString::fromLatin1(signature).trimmed();
    for (int i = 0; i < name.size(); ++i) {
        if (name.at(i) == QLatin1Char(' ') || name.at(i) == QLatin1Char('(')) {
            name.truncate(i);
            break;
        }
    }
    return name.toLower();
}

struct DocumentState
{
    QString text;
    bool open = true;
};

struct WordState
{
    std::shared_ptr<DocumentState> active;
    bool running = true;
};

class StandInObject : public AutomationObject
{
public:
    bool setControl(const QString &) override { return fail(false); }
    bool lastCallFailed() const override { return failed; }

protected:
    template<typename T> T fail(T value)
    {
        failed = true;
        return value;
    }
    void succeed() { failed = false; }
    bool failed = false;
};

// A range that grows with the text inserted after it, as Word's does.
class StandInRange : public StandInObject
{
public:
    StandInRange(std::shared_ptr<DocumentState> document, int start, int end)
        : document(std::move(document)), start(start), end(end)
    { }

    QVariant dynamicCall(const char *function, const QVariant &var1) override
    {
        const QString member = memberName(function);
        if (!document->open)
            return fail(QVariant());
        if (member == QLatin1String("insertafter")) {
            const QString text = var1.toString();
            end = std::min(end, int(document->text.size()));
            document->text.insert(end, text);
            end += text.size();
            succeed();
            return {};
        }
        if (member == QLatin1String("text")) {
            succeed();
            return document->text.mid(start, end - start);
        }
        return fail(QVariant());
    }

    AutomationObject *querySubObject(const char *, const QVariant &) override
    {
        return fail<AutomationObject *>(nullptr);
    }

private:
    std::shared_ptr<DocumentState> document;
    int start;
    int end;
};

class StandInParagraph : public StandInObject
{
public:
    StandInParagraph(std::shared_ptr<DocumentState> document, int start, int end)
        : document(std::move(document)), start(start), end(end)
    { }

    QVariant dynamicCall(const char *, const QVariant &) override { return fail(QVariant()); }

    AutomationObject *querySubObject(const char *name, const QVariant &) override
    {
        if (memberName(name) != QLatin1String("range"))
            return fail<AutomationObject *>(nullptr);
        succeed();
        return adopt(new StandInRange(document, start, end));
    }

private:
    std::shared_ptr<DocumentState> document;
    int start;
    int end;
};

class StandInDocument : public StandInObject
{
public:
    StandInDocument(std::shared_ptr<DocumentState> document, std::shared_ptr<WordState> word)
        : document(std::move(document)), word(std::move(word))
    { }

    QVariant dynamicCall(const char *function, const QVariant &var1) override
    {
        const QString member = memberName(function);
        if (!document->open)
            return fail(QVariant());
        if (member == QLatin1String("saveas") || member == QLatin1String("saveas2")) {
            if (!save(var1.toString()))
                return fail(QVariant());
            succeed();
            return {};
        }
        if (member == QLatin1String("close")) {
            // Closing drops unsaved text, like Close(wdDoNotSaveChanges).
            document->open = false;
            if (word->active == document)
                word->active.reset();
            succeed();
            return {};
        }
        return fail(QVariant());
    }

    AutomationObject *querySubObject(const char *name, const QVariant &var1) override
    {
        const QString member = memberName(name);
        if (!document->open)
            return fail<AutomationObject *>(nullptr);
        if (member == QLatin1String("paragraphs")) {
            // Paragraph n runs from after the (n-1)th "\n" up to its own "\n".
            const int wanted = var1.isValid() ? var1.toInt() : 1;
            int start = 0;
            for (int n = 1; n < wanted; ++n) {
                const int mark = document->text.indexOf(QLatin1Char('\n'), start);
                if (mark < 0)
                    return fail<AutomationObject *>(nullptr);
                start = mark + 1;
            }
            if (wanted < 1)
                return fail<AutomationObject *>(nullptr);
            int end = document->text.indexOf(QLatin1Char('\n'), start);
            if (end < 0)
                end = document->text.size();
            succeed();
            return adopt(new StandInParagraph(document, start, end));
        }
        if (member == QLatin1String("range") || member == QLatin1String("content")) {
            succeed();
            return adopt(new StandInRange(document, 0, document->text.size()));
        }
        return fail<AutomationObject *>(nullptr);
    }

private:
    bool save(const QString &nativePath)
    {
        if (nativePath.isEmpty())
            return false;
        const QByteArray bytes = buildDocx(document->text);
        if (bytes.isEmpty())
            return false;
        QSaveFile file(QDir::fromNativeSeparators(nativePath));
        file.setDirectWriteFallback(true);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
        return file.commit();
    }

    std::shared_ptr<DocumentState> document;
    std::shared_ptr<WordState> word;
};

class StandInDocuments : public StandInObject
{
public:
    explicit StandInDocuments(std::shared_ptr<WordState> word) : word(std::move(word)) { }

    QVariant dynamicCall(const char *, const QVariant &) override { return fail(QVariant()); }

    AutomationObject *querySubObject(const char *name, const QVariant &) override
    {
        if (!word->running || memberName(name) != QLatin1String("add"))
            return fail<AutomationObject *>(nullptr);
        word->active = std::make_shared<DocumentState>();
        succeed();
        return adopt(new StandInDocument(word->active, word));
    }

private:
    std::shared_ptr<WordState> word;
};

class StandInWord : public StandInObject
{
public:
    bool setControl(const QString &control) override
    {
        // Only Word is built in; any other server is "not installed".
        if (control.trimmed().compare(QLatin1String("Word.Application"), Qt::CaseInsensitive) != 0)
            return fail(false);
        word = std::make_shared<WordState>();
        succeed();
        return true;
    }

    QVariant dynamicCall(const char *function, const QVariant &) override
    {
        if (!word || !word->running)
            return fail(QVariant());
        const QString member = memberName(function);
        if (member == QLatin1String("setvisible") || member == QLatin1String("visible")) {
            succeed();
            return {};
        }
        if (member == QLatin1String("quit")) {
            word->running = false;
            succeed();
            return {};
        }
        return fail(QVariant());
    }

    AutomationObject *querySubObject(const char *name, const QVariant &) override
    {
        if (!word || !word->running)
            return fail<AutomationObject *>(nullptr);
        const QString member = memberName(name);
        if (member == QLatin1String("documents")) {
            succeed();
            return adopt(new StandInDocuments(word));
        }
        if (member == QLatin1String("activedocument") && word->active) {
            succeed();
            return adopt(new StandInDocument(word->active, word));
        }
        return fail<AutomationObject *>(nullptr);
    }

private:
    std::shared_ptr<WordState> word;
};

} // namespace

std::unique_ptr<AutomationObject> createBuiltInAutomationObject()
{
    return std::make_unique<StandInWord>();
}

std::unique_ptr<AutomationObject> createAutomationObject()
{
    AutomationFactory factory;
    {
        QMutexLocker lock(&factoryMutex);
        factory = installedFactory;
    }
    return factory ? factory() : createBuiltInAutomationObject();
}

void setAutomationFactory(AutomationFactory factory)
{
    QMutexLocker lock(&factoryMutex);
    installedFactory = std::move(factory);
}
