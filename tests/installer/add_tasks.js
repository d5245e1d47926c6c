// Two tasks through the installed component: one Vantrel made, one another program did.
var schedule = new ActiveXObject("TaskScheduler.Schedule");
var tasks = [["VantrelNightly", "Vantrel"], ["OtherProgramTask", "Someone else"]];
for (var k = 0; k < tasks.length; k++) {
    var task = schedule.Add(tasks[k][0]);
    task.Creator = tasks[k][1];
    task.ApplicationName = "C:\\windows\\notepad.exe";
    task.Parameters = "";
    task.Commit("");
}
