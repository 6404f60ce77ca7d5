// Marks of the chosen t, drawn over a chart on a canvas of their own: moving
// t redraws the marks alone, never the chart under them, so that a slider
// step, a drag or an animation frame costs well under a frame.
// The chart library calls this after every render of a chart, so that its
// marks follow a resize or a restyle.
export const marksPlugin = { id: 'marks', afterRender: (chart) => drawMarks(chart) };

// Sets a chart's marks: each { key, points: [{x, y}], line: true|false,
// colour, width, dash, radius }, in the chart's own units.
export function setMarks(chart, items) {
  chart.$marks = items;
  drawMarks(chart);
}

function markCanvas(chart) {
  if (!chart.$markCanvas) {
    const canvas = document.createElement('canvas');
    canvas.className = 'marks';
    canvas.setAttribute('aria-hidden', 'true');
    chart.canvas.parentNode.appendChild(canvas);
    chart.$markCanvas = canvas;
    canvas.width = chart.canvas.width;
    canvas.height = chart.canvas.height;
    canvas.style.width = chart.canvas.style.width;
    canvas.style.height = chart.canvas.style.height;
    canvas.getContext('2d');
  }
  return chart.$markCanvas;
}

function drawMarks(chart) {
  const items = chart.$marks;
  if (!items || !chart.chartArea)
    return;
  const canvas = markCanvas(chart);
  const ratio = chart.currentDevicePixelRatio || 1;
  if (canvas.width !== chart.canvas.width || canvas.height !== chart.canvas.height) {
    canvas.width = chart.canvas.width;
    canvas.height = chart.canvas.height;
    canvas.width = chart.canvas.width;
    canvas.height = chart.canvas.height;
    canvas.style.width = chart.canvas.style.width;
    canvas.style.height = chart.canvas.style.height;
    canvas.getContext('2d');
  }
  const context = canvas.getContext('2d');
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  context.clearRect(0, 0, canvas.width, canvas.height);
  const area = chart.chartArea;
  context.save();
  context.beginPath();
  context.rect(area.left, area.top, area.right - area.left, area.bottom - area.top);
  context.clip();
  const x = chart.scales.x, y = chart.scales.y;
  items.forEach((item) => {
    const pixels = item.points.map((q) => [x.getPixelForValue(q.x), y.getPixelForValue(q.y)]);
    context.strokeStyle = context.fillStyle = item.colour;
    if (item.line && pixels.length > 1) {
      context.lineWidth = item.width || 2.5;
      context.setLineDash(item.dash || []);
      context.beginPath();
      pixels.forEach(([px, py], k) => (k ? context.lineTo(px, py) : context.moveTo(px, py)));
      context.stroke();
    }
    if (item.radius)
      pixels.forEach(([px, py]) => {
        context.beginPath();
        context.arc(px, py, item.radius, 0, 2 * Math.PI);
        context.fill();
      });
  });
  context.restore();
}

// The chart and its marks as one picture, for saving.
export function chartPicture(chart) {
  const canvas = document.createElement('canvas');
  canvas.width = chart.canvas.width;
  canvas.height = chart.canvas.height;
  const context = canvas.getContext('2d');
  context.fillStyle = getComputedStyle(document.body).backgroundColor;
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.drawImage(chart.canvas, 0, 0);
  if (chart.$markCanvas)
    context.drawImage(chart.$markCanvas, 0, 0);
  return canvas.toDataURL('image/png');
}
