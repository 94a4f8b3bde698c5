#include "printer/ListingRun.h"

#include "platform/Interruption.h"

namespace zl {

std::string StoppedRunWords(std::size_t listed, std::size_t count, std::size_t stoppedAt,
                            const std::string& place, const std::string& stoppedName) {
    std::string words = std::to_string(listed) + " of " + std::to_string(count) + " files printed" +
                        (place.empty() ? "" : " " + place) + "; not printed: " + stoppedName;
    if (const std::size_t more = count - stoppedAt - 1; more > 0)
        words += " and " + std::to_string(more) + " more";
    return words;
}

ListingRunEnd RunListings(const std::vector<ListingOrder>& orders, const ListingAction& make,
                          ListingRunObserver& observer, const CancelSignal* cancel) {
    ListingRunEnd end;
    for (std::size_t i = 0; i < orders.size(); ++i) {
        end.stoppedAt = i;
        try {
            ThrowIfStopped(); // a signal between two listings stops the run as well
            if (cancel)
                cancel->ThrowIfRaised(); // no listing after a cancel
            observer.Starting(i, orders[i]);
            const Listed listed = make(orders[i], i);
            ++end.listed;
            end.place = listed.place;
            observer.Done(i, listed);
        } catch (const Interrupted& stop) {
            end.how = ListingRunEnd::How::Interrupted;
            end.signal = stop.Signal();
            return end;
        } catch (const Cancelled&) {
            end.how = ListingRunEnd::How::Cancelled;
            return end;
        } catch (const std::exception&) {
            // What fails after a cancel (a wait it ended) was cancelled.
            end.how = cancel && cancel->Raised() ? ListingRunEnd::How::Cancelled
                                                 : ListingRunEnd::How::Failed;
            end.failure = std::current_exception();
            return end;
        }
    }
    end.stoppedAt = orders.size();
    return end;
}

} // namespace zl
