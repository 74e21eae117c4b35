#pragma once

#include "core/parameter_record.h"
#include "core/qvc_file.h"

namespace qvt {

// The parameter set as it was last loaded, saved or started afresh, kept as
// the bytes a parameter file would hold, so that only what the file stores
// counts as an edit (the extension card and the automatic clock flag do not,
// nor a value the file writes the same way, such as a rounding of 3 or 5).
class SavedParameterSet {
  public:
    explicit SavedParameterSet(const ParameterRecord& record) { Remember(record); }

    void Remember(const ParameterRecord& record) { image_ = EncodeParameterFile(record); }

    // True when saving the record would write other bytes than remembered.
    // With automatic time the clock dialog refills the clock fields from the
    // PC whenever it opens or becomes active, so they hold no edit of the
    // user and are left out.
    bool Differs(const ParameterRecord& record) const;

  private:
    ParameterFileImage image_{};
};

}  // namespace qvt
