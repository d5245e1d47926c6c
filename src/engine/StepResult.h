#pragma once
// What one step of a job tells the loop that called it.
enum StepResult : int {
    kGoOn = 0,         // done or skipped: go on with the next item
    kStop = 1,         // the whole job is to end
    kNotAnObject = 2,  // the path names nothing the step can take
};
