#pragma once

// What the list needs from the lookup running for one of its entries. The lookup engine supplies
// the implementation; the list only stops it and asks whether its worker has finished.
class CLookupTask {
public:
    virtual ~CLookupTask() = default;
    // Called on the user-interface thread: unblocks the worker's network wait and makes it give
    // up. The worker then ends on its own.
    virtual void Abort() = 0;
    // True once the worker thread has finished with everything it shares.
    virtual bool HasEnded() const = 0;
};
