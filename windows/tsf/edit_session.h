// Edit sessions: the only way a text service reads or writes a document. The work is a function
// of the edit cookie the context grants; it runs now, or later when the document allows.
#pragma once

#include <msctf.h>

#include <functional>

#include "tsf/com_object.h"

namespace revaze::tsf {

using EditWork = std::function<void(TfEditCookie)>;

class EditSession final : public ComObject<ITfEditSession> {
public:
    explicit EditSession(EditWork work) : work_(std::move(work)) {}
    STDMETHODIMP DoEditSession(TfEditCookie cookie) override;
    // The document has run the work (whether or not it finished).
    bool ran() const { return ran_; }

private:
    EditWork work_;
    bool ran_ = false;
};

// Asks `context` for a read-write edit session running `work`. `flags` adds TF_ES_SYNC (now or
// not at all) or TF_ES_ASYNCDONTCARE (now when possible, else queued). True when the work has run
// by the time this returns; false when it was queued, refused, or there is no context.
bool RequestEdit(ITfContext* context, TfClientId clientId, DWORD flags, EditWork work);
// The same for a session that only reads.
bool RequestRead(ITfContext* context, TfClientId clientId, DWORD flags, EditWork work);

} // namespace revaze::tsf
