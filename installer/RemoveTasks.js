// Removes the scheduled tasks Vantrel made (their Creator reads "Vantrel"),
// through the scheduling component. Run by the uninstaller, only when the
// user agreed, before the component is unregistered.
var schedule;
try {
    schedule = new ActiveXObject("TaskScheduler.Schedule");
} catch (e) {
    WScript.Quit(0);
}
schedule.Refresh();
// From the last task down: removing one renumbers those after it.
for (var i = schedule.Count; i >= 1; i--) {
    try {
        if (schedule.Item(i).Creator == "Vantrel") schedule.Remove(i);
    } catch (e) {
        // A task that cannot be read or removed stays; the others still go.
    }
}
