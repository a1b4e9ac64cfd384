#pragma once

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"

#include <QString>
#include <QVariant>

// What the custom/insert, replace and delete editors share: the record they write, the
// nameSpace they announce, and the extension section, whose widgets their forms name alike.
template<class Record> class RuleEditor
{
public:
    void setRenameSetting(Record *s) { setting = s; }
    Record *renameSetting() const { return setting; }
    QString valueName() const { return nameSpace; }
    // A reset restores many widgets at once; the panel publishes once afterwards instead.
    void setPublishing(bool on) { publishing = on; }

protected:
    // Announces the nameSpace so that the page's list recomputes (unless muted).
    void publish() const
    {
        if (publishing && !nameSpace.isEmpty())
            CNvGlobalObserver::instance()->notifyObservers(
                nameSpace, QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
    }

    // Writes a field through `change` (when a record is set) and publishes.
    template<class Change> void write(Change change)
    {
        if (!setting)
            return;
        change(*setting);
        publish();
    }

    // The extension type buttons: 0 a new extension, 1 find and replace in the extension.
    template<class Form> void setSuffixType(Form *form, int type)
    {
        form->suffixTypeStackedWidget->setCurrentWidget(
            type == 0 ? form->custormPage : form->replacePage);
        write([type](Record &r) { r.suffixType = type; });
    }

    Record *setting = nullptr;
    QString nameSpace;
    bool publishing = true;
};
